#pragma once
// The descriptor of one plug-in entry: the library file it comes from (empty
// for a built-in plug-in), its name, description, kind and parameter lines.
#include "catalog/AbstractPluginInfo.h"

class TPluginInfo : public TAbstractPluginInfo {
public:
    std::string GetName() const override { return name_; }
    std::string GetDescription() const override { return description_; }
    std::uint8_t GetKind() const override { return kind_; }
    std::vector<std::string> GetParams() const override { return params_; }
    std::string GetParam(const std::string& name) const override;

    // Full path of the plug-in library; empty for a built-in plug-in.
    const std::string& GetFileName() const { return fileName_; }
    void SetFileName(const std::string& fileName) { fileName_ = fileName; }
    void SetName(const std::string& name) { name_ = name; }
    void SetDescription(const std::string& description) { description_ = description; }
    void SetKind(std::uint8_t kind) { kind_ = kind; }
    // Replaces every parameter line by a copy of Lines.
    void SetParams(const std::vector<std::string>& lines) { params_ = lines; }
    // Appends the line Name=Value.
    void AddParam(const std::string& name, const std::string& value);
    // Whether parameter Name equals Value without regard to (ASCII) case; a
    // missing parameter reads as the empty text.
    bool ParamEquals(const std::string& name, const std::string& value) const;
    // Copies name, description, kind and parameters of another descriptor.
    void AssignDescriptor(const TAbstractPluginInfo& other);

private:
    std::string fileName_;
    std::string name_;
    std::string description_;
    std::uint8_t kind_ = 0;
    std::vector<std::string> params_;
};
