#pragma once
// The HTML attributes the image dialog gives a picture inserted into a page
// (alternate text, caption, border, alignment, spacing), whichever tab the
// picture came from: the catalog's spacing and alignment defaults
// (properties 726, 727, 728) read when the panel opens, the answers written
// on OK ("Alt", "Description", "BorderThinkness", "BorderColor",
// "Alignment", "HorizontalSpacing", "VerticalSpacing"), and the user's
// spacing and alignment kept as the catalog's defaults for the next one.
#include <string>
#include <vector>

class TTolvexControlClass;

class TImageHtmlAttributes {
public:
    // The alignment entries ("caption===value").
    static const std::vector<std::string>& AlignmentItems();
    // "#" and six upper-case hex digits.
    static std::string ColorText(int red, int green, int blue);

    // The catalog's defaults through Context.
    void ReadDefaults(TTolvexControlClass& context);
    // The alignment value the catalog's default gave.
    const std::string& LoadedAlignment() const { return loadedAlignment_; }
    // Writes the answers into Params and keeps changed defaults in the catalog.
    void Answer(TTolvexControlClass& context, std::vector<std::string>& params) const;

    std::string Alt;
    std::string Description;
    std::string BorderThickness = "0";
    std::string BorderColor;  // "#RRGGBB"; empty: none
    std::string Alignment;    // the value of the chosen entry
    std::string HorizontalSpacing = "0";
    std::string VerticalSpacing = "0";
    bool SpacingEdited = false;

private:
    std::string loadedAlignment_;
};
