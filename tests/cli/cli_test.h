// The base of the command-line tests: the checker run in-process on a
// command line, in a fresh folder, with what it printed and its status.
#pragma once

#include "checker.h"
#include "test_support.h"

#include <sstream>
#include <string>
#include <vector>

namespace corvel::test {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

// The date and time the tests' logs show.
inline constexpr const char* kTime = "2002-05-30 14:05:09";

class CliTest : public TempFolderTest {
protected:
    CliResult check(const std::vector<std::string>& args)
    {
        std::ostringstream out, err;
        CliResult result;
        result.status = cli::runChecker(args, out, err);
        result.out = out.str();
        result.err = err.str();
        return result;
    }
    // The same with `--time kTime` first: logs the same from run to run.
    CliResult checkAtFixedTime(std::vector<std::string> args)
    {
        args.insert(args.begin(), {"--time", kTime});
        return check(args);
    }
    // A path under the test's folder, as the command line would give it.
    std::string path(const fs::path& relative) const
    {
        return (root() / relative).make_preferred().string();
    }
};

}  // namespace corvel::test
