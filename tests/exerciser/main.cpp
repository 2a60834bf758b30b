// The random-event exerciser: cratefall_exerciser [--seed N|random] [--events N] [--seeds K]
// [--trace] [--full-game]. A failing seed is printed with the command that replays it.
#include "exerciser.h"
#include "shell/game.h"

#include <QApplication>
#include <chrono>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

namespace {

using cratefall::exerciser::Options;

struct Run {
    Options options;
    int seeds = 1;
};

std::uint64_t parseSeed(std::string_view text)
{
    if (text == "random")
        return std::uint64_t(std::chrono::steady_clock::now().time_since_epoch().count());
    return std::stoull(std::string(text));
}

std::optional<Run> parse(int argc, char* argv[])
{
    Run run;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--seed" && hasValue)
            run.options.seed = parseSeed(argv[++i]);
        else if (arg == "--events" && hasValue)
            run.options.events = std::stol(argv[++i]);
        else if (arg == "--seeds" && hasValue)
            run.seeds = std::stoi(argv[++i]);
        else if (arg == "--trace")
            run.options.trace = cratefall::exerciser::Trace::On;
        else if (arg == "--full-game")
            run.options.fullGame = cratefall::exerciser::FullGame::Required;
        else
            return std::nullopt;
    }
    return run;
}

QtMessageHandler g_qtMessages = nullptr;

// The offscreen platform says so every time a window asks for a feature it lacks: thousands of
// lines that would bury the report.
void dropPlatformNotices(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtWarningMsg && text.startsWith(QLatin1String("This plugin does not support")))
        return;
    g_qtMessages(type, context, text);
}

bool runOne(const Options& options)
{
    std::cout << "seed " << options.seed << ", " << options.events << " events" << std::endl;
    const auto started = std::chrono::steady_clock::now();
    cratefall::exerciser::Exerciser exerciser(options);
    const bool passed = exerciser.run();
    exerciser.report(std::cout);
    const auto took = std::chrono::duration<double>(std::chrono::steady_clock::now() - started);
    std::cout << "took " << took.count() << " s" << std::endl;
    if (!passed)
        std::cout << "FAILED at " << *exerciser.failure() << "\nreplay: cratefall_exerciser --seed "
                  << options.seed << " --events " << options.events << " --trace" << std::endl;
    return passed;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    g_qtMessages = qInstallMessageHandler(dropPlatformNotices);
    QApplication app(argc, argv);
    const std::optional<Run> run = parse(argc, argv);
    if (!run) {
        std::cerr << "usage: cratefall_exerciser [--seed N|random] [--events N] [--seeds K] "
                     "[--trace] [--full-game]\n";
        return 2;
    }
    cratefall::shell::prepareApplication();
    Options options = run->options;
    for (int i = 0; i < run->seeds; ++i, ++options.seed)
        if (!runOne(options))
            return 1;
    return 0;
}
