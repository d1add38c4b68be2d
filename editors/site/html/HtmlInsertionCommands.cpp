#include "editors/site/html/HtmlInsertionCommands.h"

#include "common/CommonGui.h"
#include "storage/AbstractCObject.h"

std::string THtmlInsertionCommands::InsertPicture()
{
    TDialogParams pairs({"MainImageSize=" + services_.CatalogOption(702),
                         "LargeImageSize=" + services_.CatalogOption(703), "CanLargeCopy=yes",
                         "ThumbnailImageSize=" + services_.CatalogOption(705), "CanThumbnailCopy=yes",
                         "FolderName=Design images"});
    if (!services_.RunDialog("HtmlImage", pairs))
        return {};
    return THtmlInsertions(services_.Translation).Picture(pairs);
}

std::string THtmlInsertionCommands::PopupImageAddress(std::string& caption)
{
    TDialogParams pairs({"MainImageSize=" + services_.CatalogOption(702), "FolderName=Pop-up images"});
    if (!services_.RunDialog("Image", pairs))
        return {};
    caption = pairs.Value("Caption");
    return THtmlInsertions::PopupImageAddress(pairs);
}

std::string THtmlInsertionCommands::InsertObject()
{
    TDialogParams pairs;
    if (!services_.RunDialog("InsertBinaryObject", pairs))
        return {};
    return THtmlInsertions(services_.Translation).Object(pairs);
}

std::string THtmlInsertionCommands::InsertTable()
{
    TDialogParams pairs;
    if (!services_.RunDialog("InsertTable", pairs))
        return {};
    return THtmlInsertions::Table(THtmlInsertions::TableFromAnswers(pairs));
}

std::string THtmlInsertionCommands::InsertLink(int kind, const TSelection& selection, std::string& address)
{
    address.clear();
    THtmlLink link;
    if (kind == 2) {
        std::string name = selection.Address;
        if (!services_.Gui || !services_.Gui->InputValue("Insert Anchor", "Name of Anchor", name))
            return {};
        link = THtmlInsertions::Anchor(name, selection.Text);
    } else {
        TDialogParams pairs;
        if (selection.Control)
            pairs.Set("DontShowCaption", "yes");
        else
            pairs.Set("InitCaption", selection.Text);
        pairs.Set("InitTitle", selection.Title);
        pairs.Set("InitURL", selection.Address);
        if (kind == 1) {
            if (!services_.RunDialog("EnterHyperlink", pairs) || pairs.Value("URL").empty())
                return {};
            link = THtmlInsertions::HyperlinkFromAnswers(pairs);
        } else {
            pairs.Set("ShowCaptionPanel", "yes");
            if (!services_.RunDialog("SelectPage", pairs) || pairs.Number("PageId") == 0)
                return {};
            const std::string file = services_.PageFileName(static_cast<int>(pairs.Number("PageId")),
                                                            static_cast<int>(pairs.Number("PageType")));
            link = THtmlInsertions::PageLinkFromAnswers(pairs, file);
        }
    }
    address = link.Address;
    if (selection.Control)
        return {};
    return THtmlInsertions::Link(link);
}

std::string THtmlInsertionCommands::ImportHtml(bool fromWeb)
{
    TDialogParams pairs;
    if (fromWeb)
        pairs.Set("FromWeb", "yes");
    if (!services_.RunDialog("ImportHtmlData", pairs))
        return {};
    return pairs.Value("HtmlData");
}

bool THtmlInsertionCommands::EditHtmlSource(std::map<std::string, std::string>& htmlByLanguage)
{
    TDialogParams pairs;
    for (const auto& [language, html] : htmlByLanguage)
        pairs.Set("SourceHtml_" + language, html);
    if (!services_.RunDialog("EditHtmlSource", pairs))
        return false;
    for (auto entry = htmlByLanguage.begin(); entry != htmlByLanguage.end();) {
        std::string answer = pairs.Value("SourceHtml_" + entry->first);
        if (answer == entry->second) {
            entry = htmlByLanguage.erase(entry);
            continue;
        }
        entry->second = std::move(answer);
        ++entry;
    }
    return true;
}

bool THtmlInsertionCommands::EditHtmlSource(TAbstractCObject& object, const std::string& member,
                                            const std::vector<std::string>& languages)
{
    std::map<std::string, std::string> htmlByLanguage;
    for (const std::string& language : languages)
        htmlByLanguage[language] = object.GetLangString(member, language, 0);
    if (!EditHtmlSource(htmlByLanguage))
        return false;
    for (const auto& [language, html] : htmlByLanguage)
        object.SetLangString(member, language, html, 0);
    return !htmlByLanguage.empty();
}
