#include "platform/qt_emulator_session.h"

#include "base/errors.h"
#include "base/tcl_quoted.h"
#include "launch/emulator_end.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include <unistd.h>

namespace {

constexpr int lookEveryMs = 250;
constexpr int looksForStart = 8;     // then a silent emulator counts as running, without control
constexpr int looksForOpenMsx = 120; // the bridge may first ask openMSX what its machines can do
constexpr qint64 outputTail = 4096;
constexpr int stopWaitMs = 5000;

// The exact bytes for execv, laid out before the fork: the child may not allocate.
struct ExecArguments {
    std::vector<std::string> words; // the program, then its arguments
    std::vector<char*> argv;
    std::string failure;
};

std::shared_ptr<ExecArguments> execArguments(const std::string& program, const std::vector<std::string>& args)
{
    auto exec = std::make_shared<ExecArguments>();
    exec->words.push_back(program);
    exec->words.insert(exec->words.end(), args.begin(), args.end());
    for (std::string& word : exec->words)
        exec->argv.push_back(word.data());
    exec->argv.push_back(nullptr);
    exec->failure = program + " cannot be run: ";
    return exec;
}

std::string tailOf(QFile& file)
{
    QFile reader(file.fileName());
    if (!reader.open(QIODevice::ReadOnly))
        return {};
    reader.seek(std::max<qint64>(0, reader.size() - outputTail));
    return reader.readAll().toStdString();
}

} // namespace

QtEmulatorSession::QtEmulatorSession()
{
    lookout_.setInterval(lookEveryMs);
    connect(&lookout_, &QTimer::timeout, this, &QtEmulatorSession::lookForOpenMsx);
}

QtEmulatorSession::~QtEmulatorSession()
{
    // Quitting the front-end leaves the emulator running: its process is let go, never killed.
    if (process_ && process_->state() != QProcess::NotRunning) {
        process_->disconnect();
        (void)process_.release();
    }
}

void QtEmulatorSession::start(const std::string& program, const std::vector<std::string>& arguments)
{
    if (::access(program.c_str(), X_OK) != 0)
        throw VeldrunError("The emulator cannot be started: " + program + ": " + std::strerror(errno));
    auto output =
        std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/veldrun-emulator-XXXXXX"));
    if (!output->open())
        throw VeldrunError("The emulator cannot be started: no room for its output in " +
                           QFile::encodeName(QDir::tempPath()).toStdString());

    auto process = std::make_unique<QProcess>();
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(output->fileName(), QIODevice::Append);
    process->setStandardErrorFile(output->fileName(), QIODevice::Append);
    // QProcess takes names as text: the child runs the program itself, with the path's own bytes,
    // after QProcess has set up its output and current directory.
    process->setChildProcessModifier([exec = execArguments(program, arguments)] {
        ::execv(exec->words[0].c_str(), exec->argv.data());
        const char* reason = std::strerror(errno);
        (void)!::write(STDERR_FILENO, exec->failure.data(), exec->failure.size());
        (void)!::write(STDERR_FILENO, reason, std::strlen(reason));
        (void)!::write(STDERR_FILENO, "\n", 1);
        ::_exit(127);
    });
    connect(process.get(), &QProcess::finished, this,
            [this](int code, QProcess::ExitStatus how) { finished(code, how == QProcess::CrashExit); });
    process->start(QFile::decodeName(QByteArray::fromStdString(program)), {});
    if (!process->waitForStarted())
        throw VeldrunError("The emulator cannot be started: " + program + ": " +
                           process->errorString().toLocal8Bit().toStdString());

    control_.close();
    process_ = std::move(process);
    output_ = std::move(output);
    program_ = program;
    stopping_ = false;
    looks_ = 0;
    status_ = {SessionPhase::Starting, status_.run + 1, false, {}, 0, {}};
    lookout_.start();
}

void QtEmulatorSession::lookForOpenMsx()
{
    if (!process_ || process_->state() != QProcess::Running) {
        lookout_.stop();
        return;
    }
    ++looks_;
    if (control_.open(OpenMsxControl::socketPath(process_->processId()))) {
        lookout_.stop();
        try {
            status_.machine = control_.command("machine_info config_name");
            // openMSX has a command for each drive the machine has: diska, diskb.
            const std::string drives = control_.command("info commands disk?");
            status_.drives = static_cast<int>(drives.size() + 1) / 6;
        } catch (const VeldrunError&) {
            status_.machine.clear();
        }
        status_.controlled = control_.isOpen();
        status_.phase = SessionPhase::Running;
        changed();
    } else if (looks_ == looksForStart) {
        status_.phase = SessionPhase::Running;
        changed();
    } else if (looks_ >= looksForOpenMsx) {
        lookout_.stop();
    }
}

void QtEmulatorSession::finished(int exitCode, bool crashed)
{
    lookout_.stop();
    control_.close();
    status_.phase = SessionPhase::Ended;
    status_.controlled = false;
    status_.failure = stopping_ || !output_ ? std::string()
                                            : emulatorFailure(program_, exitCode, crashed, tailOf(*output_));
    output_.reset();
    changed();
}

void QtEmulatorSession::changed()
{
    if (notice_)
        notice_();
}

void QtEmulatorSession::stop()
{
    if (!process_ || process_->state() == QProcess::NotRunning)
        return;
    stopping_ = true;
    if (control_.isOpen()) {
        try {
            control_.command("exit");
        } catch (const VeldrunError&) {
            // openMSX may close the connection before it answers.
        }
    } else {
        process_->terminate();
    }
    if (!process_->waitForFinished(stopWaitMs)) {
        process_->kill();
        process_->waitForFinished(stopWaitMs);
    }
}

namespace {

OpenMsxControl& controlOf(OpenMsxControl& control, const SessionStatus& status)
{
    if (!status.controlled || !control.isOpen())
        throw VeldrunError("No openMSX runs that Veldrun can control");
    return control;
}

} // namespace

void QtEmulatorSession::pause(bool paused)
{
    const std::string answer =
        controlOf(control_, status_).command(paused ? "set pause on" : "set pause off");
    status_.phase = answer == "true" ? SessionPhase::Paused : SessionPhase::Running;
}

void QtEmulatorSession::reset() { controlOf(control_, status_).command("reset"); }

// openMSX has a command for each drive and slot the machine has, and none for those it lacks.
void QtEmulatorSession::requireMedium(const std::string& command, const std::string& what)
{
    if (controlOf(control_, status_).command("info commands " + command).empty())
        throw VeldrunError("The running machine " + status_.machine + " has no " + what);
}

void QtEmulatorSession::changeDisk(int drive, const std::string& path)
{
    const std::string command = drive == 0 ? "diska" : "diskb";
    requireMedium(command, std::string("drive ") + (drive == 0 ? "A" : "B"));
    control_.command(path.empty() ? command + " eject" : command + " insert " + tclQuoted(path));
}

void QtEmulatorSession::changeCartridge(int slot, const std::string& path)
{
    const std::string command = slot == 0 ? "carta" : "cartb";
    requireMedium(command, "cartridge slot " + std::to_string(slot + 1));
    control_.command(command + " insert " + tclQuoted(path));
    control_.command("reset");
}

std::string QtEmulatorSession::screenshot(const std::string& folder)
{
    controlOf(control_, status_);
    std::string file;
    std::error_code error;
    for (int n = 1; file.empty() || std::filesystem::exists(file, error); ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "/veldrun%04d.png", n);
        file = folder + name;
    }
    const std::string saved = control_.command("screenshot " + tclQuoted(file));
    return saved.empty() ? file : saved;
}
