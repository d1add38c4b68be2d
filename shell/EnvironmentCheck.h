#pragma once
// The check of the machine before the program starts: the shared libraries
// the program loads, the web engine's helper process, and the shipped
// databases. The checks run in a fixed order and the chain stops at the
// first failure. Two lists of lines come out: status lines (one or two per
// check run, cleared at each run) and problem lines (what failed and what
// to do, with empty lines between, never cleared). Lines are translated
// when they are added.
#include <functional>
#include <string>
#include <vector>

class TTranslation;

class TEnvironmentCheck {
public:
    // One check: adds its lines through the check object and answers whether it passed.
    using TStep = std::function<bool(TEnvironmentCheck&)>;

    // Translation may be null: lines stay English.
    explicit TEnvironmentCheck(const TTranslation* translation = nullptr);

    // The checks of this program on Linux, for the program folder and the
    // folder of the shipped data sources (empty: none).
    void UseProgramChecks(const std::string& programFolder, const std::string& dataDir);
    void SetSteps(std::vector<TStep> steps) { steps_ = std::move(steps); }

    // Runs the chain; true when every check passed.
    bool Check();
    const std::vector<std::string>& GetStatusLines() const { return statusLines_; }
    const std::vector<std::string>& GetProblemLines() const { return problemLines_; }
    // The text of the information window: every status line, then every
    // problem line, each followed by an empty line.
    std::string InformationText() const;

    // Used by the checks: a line with "$1" takes Arg.
    void AddStatus(const std::string& line, const std::string& arg = "");
    void AddProblem(const std::string& line, const std::string& arg = "");

    // ---- the checks of this program -----------------------------------------------------------
    // Every library of the list can be loaded.
    static TStep LibrariesCheck(std::vector<std::string> libraries);
    // The web engine's helper process is there and may be run.
    static TStep WebEngineCheck(std::string helperProcess);
    // Every shipped database is in the program's databases folder, or can
    // be built from the data sources.
    static TStep DatabasesCheck(std::string programFolder, std::string dataDir);
    // The libraries the program loads.
    static std::vector<std::string> ProgramLibraries();
    // Where the web engine's helper process is expected.
    static std::string WebEngineHelperPath();

private:
    std::string Line(const std::string& line, const std::string& arg) const;

    const TTranslation* translation_;
    std::vector<TStep> steps_;
    std::vector<std::string> statusLines_;
    std::vector<std::string> problemLines_;
};
