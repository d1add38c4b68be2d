#pragma once
// The page transition effects and their times, as the meta tags and the
// catalog options offer them: effect captions with their stored numbers, and
// the time words "Short", "Medium" and "Long" (2, 4 and 6 seconds).
#include <string>
#include <utility>
#include <vector>

class TTransitionEffects {
public:
    // Caption and stored value, in the order offered.
    static const std::vector<std::pair<std::string, int>>& Effects();
    // The time words in the order offered.
    static const std::vector<std::string>& TimeWords();
    // The seconds of a time text: a (translated) time word, else the text
    // read as a number, 0 when it is none.
    static double SecondsOfText(const std::string& text);
    // The text showing the seconds: 2 "Short", 4 and 0 "Medium", 6 "Long"
    // (translated), any other number in the "%g" form.
    static std::string TextOfSeconds(double seconds);
};
