#pragma once

#include "base/services.h"
#include "platform/openmsx_control.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

class QProcess;
class QTemporaryFile;

// The emulator as a child process whose output goes to a temporary file, so that its end can be
// told and explained; an openMSX among them is found by its control socket and driven through it.
// A running emulator outlives the front-end.
class QtEmulatorSession : public QObject, public EmulatorSession {
    Q_OBJECT
  public:
    QtEmulatorSession();
    ~QtEmulatorSession() override;

    // Called on the GUI thread whenever the status changes by itself (started, found openMSX,
    // ended).
    void setChangeNotice(std::function<void()> notice) { notice_ = std::move(notice); }

    void start(const std::string& program, const std::vector<std::string>& arguments) override;
    SessionStatus status() const override { return status_; }
    void stop() override;
    void pause(bool paused) override;
    void reset() override;
    void changeDisk(int drive, const std::string& path) override;
    void changeCartridge(int slot, const std::string& path) override;
    std::string screenshot(const std::string& folder) override;

  private:
    void lookForOpenMsx();
    void finished(int exitCode, bool crashed);
    void requireMedium(const std::string& command, const std::string& what);
    void changed();

    std::unique_ptr<QProcess> process_;
    std::unique_ptr<QTemporaryFile> output_;
    OpenMsxControl control_;
    QTimer lookout_;
    int looks_ = 0;
    std::string program_;
    bool stopping_ = false;
    SessionStatus status_;
    std::function<void()> notice_;
};
