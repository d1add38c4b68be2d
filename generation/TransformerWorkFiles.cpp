#include "generation/TransformerWorkFiles.h"

#include "common/CommonFunctions.h"
#include "generation/PageDocument.h"

void TTransformerWorkFiles::Keep(const std::string& name, TEntry entry)
{
    auto [at, added] = files_.try_emplace(name);
    if (added || at->second.sequence <= entry.sequence)
        at->second = std::move(entry);
}

void TTransformerWorkFiles::KeepText(const std::string& name, std::string text, long sequence)
{
    Keep(name, TEntry{sequence, std::move(text), nullptr, nullptr});
}

void TTransformerWorkFiles::KeepDocument(const std::string& name, std::shared_ptr<const TPageDocument> document,
                                         long sequence)
{
    Keep(name, TEntry{sequence, {}, std::move(document), nullptr});
}

void TTransformerWorkFiles::KeepMadeText(const std::string& name, std::function<std::string()> make, long sequence)
{
    Keep(name, TEntry{sequence, {}, nullptr, std::move(make)});
}

void TTransformerWorkFiles::Merge(TTransformerWorkFiles&& other)
{
    for (auto& [name, entry] : other.files_)
        Keep(name, std::move(entry));
    other.files_.clear();
}

void TTransformerWorkFiles::ForgetFrom(long sequence)
{
    std::erase_if(files_, [sequence](const auto& entry) { return entry.second.sequence >= sequence; });
}

void TTransformerWorkFiles::Write(const std::string& folder)
{
    for (const auto& [name, entry] : files_) {
        const std::string text = entry.document ? entry.document->Text() : entry.make ? entry.make() : entry.text;
        TCommonFunctions::SaveWorkFile(text, folder + "/" + name);
    }
    files_.clear();
}
