#include "support/FtpTestServer.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

const char* kScript = R"PY(
import os, sys, threading, time
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

root, state, user, password = sys.argv[1:5]
log = os.path.join(state, 'commands.log')
refuse = os.path.join(state, 'refuse')
parent = os.getppid()

def note(command, path):
    with open(log, 'a') as f:
        f.write(command + ' ' + os.path.relpath(path, root) + '\n')

class Handler(FTPHandler):
    def ftp_STOR(self, file, mode='w'):
        note('STOR', file)
        refused = open(refuse).read().split('\n') if os.path.exists(refuse) else []
        if os.path.basename(file) in refused:
            self.respond('550 Refused by the test.')
            return
        return FTPHandler.ftp_STOR(self, file, mode)
    def ftp_RETR(self, file):
        note('RETR', file)
        return FTPHandler.ftp_RETR(self, file)
    def ftp_MKD(self, path):
        note('MKD', path)
        return FTPHandler.ftp_MKD(self, path)

def watch():
    while os.getppid() == parent:
        time.sleep(0.5)
    os._exit(0)

authorizer = DummyAuthorizer()
authorizer.add_user(user, password, root, perm='elradfmwMT')
Handler.authorizer = authorizer
server = FTPServer(('127.0.0.1', 0), Handler)
threading.Thread(target=watch, daemon=True).start()
with open(os.path.join(state, 'port.tmp'), 'w') as f:
    f.write(str(server.socket.getsockname()[1]))
os.rename(os.path.join(state, 'port.tmp'), os.path.join(state, 'port'))
server.serve_forever(timeout=0.2)
)PY";

std::string Python()
{
    // The system's interpreter has the Debian package; another one first on
    // the path may not.
    return std::filesystem::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
}

}  // namespace

TFtpTestServer::TFtpTestServer(const std::string& rootFolder, const std::string& user, const std::string& password)
{
    const std::string script = state_.Write("server.py", kScript);
    const std::string python = Python();
    const std::string logFile = state_.File("server.out");
    std::vector<std::string> args = {python, script, rootFolder, state_.Path(), user, password};
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, logFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    const int spawned = posix_spawnp(&pid_, python.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        throw std::runtime_error("cannot start the FTP test server");
    // At most ten seconds for the server to tell its port.
    for (int attempt = 0; attempt < 200 && port_ == 0; ++attempt) {
        std::ifstream in(state_.File("port"));
        if (!(in >> port_)) {
            port_ = 0;
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                throw std::runtime_error("the FTP test server ended: " + TTempFolder::Read(logFile));
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
    if (port_ == 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
        throw std::runtime_error("the FTP test server did not start: " + TTempFolder::Read(logFile));
    }
}

TFtpTestServer::~TFtpTestServer()
{
    if (pid_ <= 0)
        return;
    kill(pid_, SIGTERM);
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (waitpid(pid_, nullptr, WNOHANG) == pid_)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
}

std::vector<std::string> TFtpTestServer::Commands() const
{
    std::vector<std::string> lines;
    std::istringstream in(TTempFolder::Read(state_.File("commands.log")));
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> TFtpTestServer::PathsOf(const std::string& command) const
{
    std::vector<std::string> paths;
    for (const std::string& line : Commands())
        if (line.rfind(command + " ", 0) == 0)
            paths.push_back(line.substr(command.size() + 1));
    return paths;
}

void TFtpTestServer::ClearCommands() const
{
    std::filesystem::remove(state_.File("commands.log"));
}

void TFtpTestServer::Refuse(const std::vector<std::string>& fileNames) const
{
    std::string text;
    for (const std::string& name : fileNames)
        text += name + "\n";
    state_.Write("refuse", text);
}
