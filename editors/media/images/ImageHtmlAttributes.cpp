#include "editors/media/images/ImageHtmlAttributes.h"

#include "editors/framework/EditorParams.h"
#include "editors/framework/TolvexControlClass.h"

#include <cstdio>

namespace {

constexpr int kHorizontalSpacingProperty = 726;
constexpr int kVerticalSpacingProperty = 727;
constexpr int kAlignmentProperty = 728;

}  // namespace

const std::vector<std::string>& TImageHtmlAttributes::AlignmentItems()
{
    static const std::vector<std::string> items = {
        "Not set===",          "Left===Left",         "Right===Right",   "Text top===Texttop",
        "Absolute middle===Absmiddle", "Base line===Baseline", "Absolute bottom===Absbottom",
        "Bottom===Bottom",     "Middle===Middle",     "Top===Top"};
    return items;
}

std::string TImageHtmlAttributes::ColorText(int red, int green, int blue)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", red & 255, green & 255, blue & 255);
    return text;
}

void TImageHtmlAttributes::ReadDefaults(TTolvexControlClass& context)
{
    const std::string horizontal = context.GetCatalogOption(kHorizontalSpacingProperty);
    const std::string vertical = context.GetCatalogOption(kVerticalSpacingProperty);
    loadedAlignment_ = context.GetCatalogOption(kAlignmentProperty);
    if (!horizontal.empty())
        HorizontalSpacing = horizontal;
    if (!vertical.empty())
        VerticalSpacing = vertical;
    Alignment = loadedAlignment_;
}

void TImageHtmlAttributes::Answer(TTolvexControlClass& context, std::vector<std::string>& params) const
{
    using editor_params::SetValue;
    SetValue(params, "Alt", Alt);
    SetValue(params, "Description", Description);
    SetValue(params, "BorderThinkness", BorderThickness);
    SetValue(params, "BorderColor", BorderColor.empty() ? "None" : BorderColor);
    SetValue(params, "Alignment", Alignment);
    SetValue(params, "HorizontalSpacing", HorizontalSpacing);
    SetValue(params, "VerticalSpacing", VerticalSpacing);
    // The user's layout becomes the catalog's default for the next picture.
    if (SpacingEdited) {
        context.SetCatalogOption(kHorizontalSpacingProperty, HorizontalSpacing);
        context.SetCatalogOption(kVerticalSpacingProperty, VerticalSpacing);
    }
    if (Alignment != loadedAlignment_)
        context.SetCatalogOption(kAlignmentProperty, Alignment);
}
