// vlkserver: the loopback community server. For now it reads its options and, on request, prints
// the two enciphered log-in arguments with which a launcher starts vlkchat for a member.
#include "shell/StartUp.h"
#include "base/Gbk.h"
#include "shell/TextCipher.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <string>

int main(int argc, char* argv[])
{
    CLI::App app{"vlkserver: loopback community server for vlkchat"};
    std::string config;
    app.add_option("--config", config, "server configuration (JSON)")->check(CLI::ExistingFile);
    std::vector<std::string> loginArgs;
    app.add_option("--login-args", loginArgs,
                   "print the two vlkchat arguments that log NUMBER in with PASSWORD, then exit")
        ->expected(2)
        ->type_name("NUMBER PASSWORD");
    CLI11_PARSE(app, argc, argv);

    if (!loginArgs.empty()) {
        int32_t number = 0;
        try {
            number = std::stoi(loginArgs[0]);
        } catch (const std::exception&) {
            std::fprintf(stderr, "--login-args: \"%s\" is not a user number\n", loginArgs[0].c_str());
            return 2;
        }
        const auto args = vlk::MakeLoginArguments(number, vlk::Md5Hex(vlk::Utf8ToGbk(loginArgs[1])));
        std::printf("%s %s\n", args[0].c_str(), args[1].c_str());
        return 0;
    }
    std::printf("vlkserver: configuration %s read; the servers are not part of this build yet\n",
                config.empty() ? "(none)" : config.c_str());
    return 0;
}
