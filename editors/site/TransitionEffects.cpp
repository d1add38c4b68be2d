#include "editors/site/page/TransitionEffects.h"

#include "catalog/Singletons.h"
#include "common/CommonFunctionsDetail.h"
#include "common/Translation.h"
#include "storage/MemberValueText.h"

namespace {

struct TTimeWord {
    const char* Word;
    double Seconds;
};
const TTimeWord kTimeWords[] = {{"Short", 2}, {"Medium", 4}, {"Long", 6}};

std::string Translated(const std::string& text) { return TTranslation::OrEnglish(Translation).Translate(text); }

}  // namespace

const std::vector<std::pair<std::string, int>>& TTransitionEffects::Effects()
{
    static const std::vector<std::pair<std::string, int>> effects{
        {"(none)", 0},
        {"Blend", 1001},
        {"Box in", 1},
        {"Box out", 2},
        {"Circle in", 3},
        {"Circle out", 4},
        {"Wipe up", 5},
        {"Wipe down", 6},
        {"Wipe right", 7},
        {"Wipe left", 8},
        {"Vertical blinds", 9},
        {"Horizontal blinds", 10},
        {"Checkerboard across", 11},
        {"Checkerboard down", 12},
        {"Random dissolve", 13},
        {"Split vertical in", 14},
        {"Split vertical out", 15},
        {"Split horizontal in", 16},
        {"Split horizontal out", 17},
        {"Strips left down", 18},
        {"Strips left up", 19},
        {"Strips right down", 20},
        {"Strips right up", 21},
        {"Random bars horizontal", 22},
        {"Random bars vertical", 23},
        {"Random transition from above possible values", 24}};
    return effects;
}

const std::vector<std::string>& TTransitionEffects::TimeWords()
{
    static const std::vector<std::string> words{"Short", "Medium", "Long"};
    return words;
}

double TTransitionEffects::SecondsOfText(const std::string& text)
{
    const std::string trimmed = common_detail::Trim(text);
    for (const TTimeWord& word : kTimeWords)
        if (trimmed == Translated(word.Word) || trimmed == word.Word)
            return word.Seconds;
    return TMemberValueText::ReadFloat(trimmed);
}

std::string TTransitionEffects::TextOfSeconds(double seconds)
{
    if (seconds == 0)
        return Translated("Medium");
    for (const TTimeWord& word : kTimeWords)
        if (seconds == word.Seconds)
            return Translated(word.Word);
    return TMemberValueText::FormatShort(seconds);
}
