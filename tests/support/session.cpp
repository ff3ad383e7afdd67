// Running the built program for end-to-end tests.
#include "support/session.h"

#include <sys/wait.h>

#include <cstdlib>
#include <ctime>
#include <fstream>

bool haveFaketime()
{
    static const bool available = std::system("command -v faketime > /dev/null 2>&1") == 0;
    return available;
}

SessionResult runSession(const ScratchDirectory& dir, const std::string& input,
                         const SessionClock& clock)
{
    const auto stdinPath = dir.outside() / "stdin.txt";
    const auto stdoutPath = dir.outside() / "stdout.txt";
    {
        std::ofstream in(stdinPath, std::ios::binary);
        in << input;
    }
    std::string prefix;
    if (haveFaketime())
        prefix = clock.startTime.empty() ? "faketime -f '+0 x50' "
                 : clock.frozen          ? "TZ=UTC faketime '" + clock.startTime + "' "
                                         : "TZ=UTC faketime -f '@" + clock.startTime + "' ";
    std::string command = "export ASAN_OPTIONS=verify_asan_link_order=0 && cd '" + dir.path().string() + "' && " + prefix + "'" +
                          BRAVOLIN_EXECUTABLE + "' < '" + stdinPath.string() + "' > '" +
                          stdoutPath.string() + "' 2>&1";
    int status = std::system(command.c_str());
    int exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return {exitCode, readFile(stdoutPath)};
}

unsigned seedForStartTime(const std::string& startTime)
{
    std::tm parts = {};
    int filled = std::sscanf(startTime.c_str(), "%d-%d-%d %d:%d:%d", &parts.tm_year, &parts.tm_mon,
                             &parts.tm_mday, &parts.tm_hour, &parts.tm_min, &parts.tm_sec);
    if (filled != 6)
        return 0;
    parts.tm_year -= 1900;
    parts.tm_mon -= 1;
    return static_cast<unsigned>(timegm(&parts));
}

std::string withoutProgressLines(const std::string& console)
{
    std::string kept;
    std::size_t pieceStart = 0;
    for (char c : console) {
        if (c == '\r') {
            kept.resize(pieceStart);
            continue;
        }
        kept += c;
        if (c == '\n')
            pieceStart = kept.size();
    }
    return kept;
}
