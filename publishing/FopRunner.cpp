#include "publishing/FopRunner.h"

#include "common/CommonFunctions.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kPollMilliseconds = 50;
// The message kept of a processor that writes much: its end says what went wrong.
constexpr std::size_t kMaxMessageBytes = 64 * 1024;

void KeepTail(std::string& text)
{
    if (text.size() > kMaxMessageBytes)
        text.erase(0, text.size() - kMaxMessageBytes);
}

// Where Debian keeps the DejaVu fonts (fonts-dejavu-core).
const char* const kFontFolder = "/usr/share/fonts/truetype/dejavu";

}  // namespace

TFopRunner::TFopRunner(std::string program, std::chrono::milliseconds timeLimit)
    : program_(std::move(program)), timeLimit_(timeLimit)
{
}

std::string TFopRunner::ProgramPath() const
{
    if (!program_.empty())
        return program_.find('/') == std::string::npos ? TCommonFunctions::FindProgram(program_)
                                                       : (::access(program_.c_str(), X_OK) == 0 ? program_ : "");
    return TCommonFunctions::FindProgram("fop");
}

std::string TFopRunner::MissingComponents() const
{
    std::string lines;
    if (ProgramPath().empty())
        lines += "The XSL-FO processor \"fop\" is not installed.";
    if (program_.empty() && TCommonFunctions::FindProgram("java").empty())
        lines += std::string(lines.empty() ? "" : "\r\n") + "No Java runtime is installed.";
    return lines;
}

TFopRunner::TResult TFopRunner::Run(const std::string& input, const std::string& output,
                                    const std::function<bool()>& poll) const
{
    const std::string program = ProgramPath();
    if (program.empty()) {
        TResult result;
        result.Message = "The XSL-FO processor \"fop\" is not installed.";
        return result;
    }
    std::vector<std::string> argv{program, "-q"};
    // The processor's own fonts hold Latin-1 alone; with the configuration
    // every letter the fonts have reaches the PDF.
    const std::string config = FontConfiguration(kFontFolder);
    if (!config.empty()) {
        const std::size_t slash = input.find_last_of('/');
        const std::string file = (slash == std::string::npos ? std::string(".") : input.substr(0, slash)) + "/fop.xconf";
        std::ofstream stream(file, std::ios::binary | std::ios::trunc);
        stream << config;
        stream.close();
        if (stream) {
            argv.push_back("-c");
            argv.push_back(file);
        }
    }
    for (const std::string& arg : {std::string("-fo"), input, std::string("-pdf"), output})
        argv.push_back(arg);
    return RunProcess(argv, poll);
}

std::string TFopRunner::FontConfiguration(const std::string& fontFolder)
{
    struct TFace {
        const char* Family;
        const char* File;
        const char* Style;
        const char* Weight;
    };
    static const TFace kFaces[] = {
        {"sans-serif", "DejaVuSans.ttf", "normal", "normal"},
        {"sans-serif", "DejaVuSans-Bold.ttf", "normal", "bold"},
        {"sans-serif", "DejaVuSans-Oblique.ttf", "italic", "normal"},
        {"sans-serif", "DejaVuSans-BoldOblique.ttf", "italic", "bold"},
        {"serif", "DejaVuSerif.ttf", "normal", "normal"},
        {"serif", "DejaVuSerif-Bold.ttf", "normal", "bold"},
        {"monospace", "DejaVuSansMono.ttf", "normal", "normal"},
        {"monospace", "DejaVuSansMono-Bold.ttf", "normal", "bold"},
    };
    std::string fonts;
    for (const TFace& face : kFaces) {
        const std::string file = fontFolder + "/" + face.File;
        if (::access(file.c_str(), R_OK) != 0)
            continue;
        fonts += "<font kerning=\"yes\" embed-url=\"file://" + TCommonFunctions::EncodeXmlText(file) +
                 "\"><font-triplet name=\"" + face.Family + "\" style=\"" + face.Style + "\" weight=\"" +
                 face.Weight + "\"/></font>\n";
    }
    if (fonts.empty())
        return {};
    return "<?xml version=\"1.0\"?>\n<fop version=\"1.0\"><renderers><renderer mime=\"application/pdf\"><fonts>\n" +
           fonts + "</fonts></renderer></renderers></fop>\n";
}

TFopRunner::TResult TFopRunner::RunProcess(const std::vector<std::string>& argv,
                                           const std::function<bool()>& poll) const
{
    TResult result;
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
        result.Message = std::string("Cannot start the XSL-FO processor: ") + std::strerror(errno);
        return result;
    }
    std::vector<char*> args;
    for (const std::string& arg : argv)
        args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    // Only async-signal-safe calls between fork and exec. The child leads a
    // process group of its own, so that a stop reaches the Java runtime the
    // processor's script starts as well.
    const pid_t child = ::fork();
    if (child == 0) {
        ::setpgid(0, 0);
        const int devNull = ::open("/dev/null", O_RDONLY);
        if (devNull >= 0)
            ::dup2(devNull, 0);
        ::dup2(pipeFds[1], 1);
        ::dup2(pipeFds[1], 2);
        ::execv(args[0], args.data());
        const char failed[] = "Cannot run the XSL-FO processor\n";
        [[maybe_unused]] ssize_t n = ::write(2, failed, sizeof failed - 1);
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    if (child < 0) {
        ::close(pipeFds[0]);
        result.Message = std::string("Cannot start the XSL-FO processor: ") + std::strerror(errno);
        return result;
    }
    ::setpgid(child, child);  // also from here: whichever comes first

    const auto deadline = std::chrono::steady_clock::now() + timeLimit_;
    bool pipeOpen = true;
    int status = 0;
    bool reaped = false;
    std::string message;
    const auto stop = [&] {
        ::kill(-child, SIGKILL);
        ::kill(child, SIGKILL);
    };
    while (!reaped) {
        if (pipeOpen) {
            pollfd fd{pipeFds[0], POLLIN, 0};
            if (::poll(&fd, 1, kPollMilliseconds) > 0) {
                char buffer[4096];
                const ssize_t n = ::read(pipeFds[0], buffer, sizeof buffer);
                if (n > 0) {
                    message.append(buffer, static_cast<std::size_t>(n));
                    KeepTail(message);
                } else if (n == 0 || (errno != EINTR && errno != EAGAIN)) {
                    pipeOpen = false;
                }
            }
        } else {
            ::usleep(kPollMilliseconds * 1000);
        }
        const pid_t done = ::waitpid(child, &status, WNOHANG);
        if (done == child) {
            reaped = true;
            break;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            result.TimedOut = true;
            stop();
        } else if (poll && !poll()) {
            result.Cancelled = true;
            stop();
        }
        if (result.TimedOut || result.Cancelled) {
            while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
            }
            reaped = true;
        }
    }
    // What is left in the pipe (the group is gone or has exited).
    if (pipeOpen && !result.Cancelled && !result.TimedOut) {
        ::fcntl(pipeFds[0], F_SETFL, O_NONBLOCK);
        char buffer[4096];
        ssize_t n;
        while ((n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0)
            message.append(buffer, static_cast<std::size_t>(n));
        KeepTail(message);
    }
    ::close(pipeFds[0]);
    result.Exited0 = !result.Cancelled && !result.TimedOut && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
        message.pop_back();
    result.Message = message;
    if (result.TimedOut && result.Message.empty())
        result.Message = "The XSL-FO processor did not finish in time.";
    return result;
}

bool IsPdfFile(const std::string& fileName)
{
    std::ifstream file(fileName, std::ios::binary);
    char head[4] = {};
    return file.read(head, 4) && std::memcmp(head, "%PDF", 4) == 0;
}
