#include "base/DebugLog.h"

#include <spdlog/sinks/basic_file_sink.h>
#include <spdlog/sinks/stdout_color_sinks.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <string_view>
#include <vector>

namespace vlk {

namespace {

spdlog::level::level_enum LevelFromEnvironment()
{
    const char* value = std::getenv("VLKCHAT_LOG");
    if (!value)
        return spdlog::level::warn;
    static constexpr std::pair<std::string_view, spdlog::level::level_enum> kLevels[] = {
        {"trace", spdlog::level::trace}, {"debug", spdlog::level::debug}, {"info", spdlog::level::info},
        {"warn", spdlog::level::warn},   {"error", spdlog::level::err},
    };
    for (auto& [name, level] : kLevels)
        if (name == value)
            return level;
    return spdlog::level::warn;
}

// Loggers are never destroyed: InitDebugLog installs a new one (a logger cannot be renamed), and a
// thread may still hold a reference to the one it replaces.
struct Loggers {
    std::mutex mutex;
    std::shared_ptr<spdlog::sinks::sink> console = std::make_shared<spdlog::sinks::stderr_color_sink_mt>();
    std::vector<std::shared_ptr<spdlog::logger>> all;
    std::atomic<spdlog::logger*> current{nullptr};

    // Until InitDebugLog names it, the log goes to stderr under the client's name.
    Loggers() { Install("vlkchat", {console}); }

    spdlog::logger& Install(const std::string& name, std::vector<spdlog::sink_ptr> sinks)
    {
        auto logger = std::make_shared<spdlog::logger>(name, sinks.begin(), sinks.end());
        logger->set_level(LevelFromEnvironment());
        logger->set_pattern("[%Y-%m-%d %H:%M:%S.%e] [%n] [%l] [%t] %v");
        logger->flush_on(spdlog::level::warn);
        std::lock_guard lock(mutex);
        all.push_back(logger);
        current.store(logger.get());
        return *logger;
    }
};

Loggers& TheLoggers()
{
    static Loggers loggers;
    return loggers;
}

} // namespace

spdlog::logger& DebugLog()
{
    return *TheLoggers().current.load();
}

void InitDebugLog(const std::string& program, const std::string& file)
{
    Loggers& loggers = TheLoggers();
    std::vector<spdlog::sink_ptr> sinks{loggers.console};
    std::string fileError;
    if (!file.empty()) {
        try {
            sinks.push_back(std::make_shared<spdlog::sinks::basic_file_sink_mt>(file));
        } catch (const spdlog::spdlog_ex& e) {
            fileError = e.what();
        }
    }
    spdlog::logger& logger = loggers.Install(program, std::move(sinks));
    // A log file that cannot be opened must not stop the program; stderr still gets everything.
    if (!fileError.empty())
        logger.warn("log to stderr only: {}", fileError);
}

} // namespace vlk
