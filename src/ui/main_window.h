#pragma once

#include "base/services.h"

#include <QMainWindow>

#include <functional>
#include <map>
#include <memory>

class CartridgeIdentifier;
class CartridgeTips;
class FileBrowser;
class ReaderWindow;
class TForm1;

// The view of TForm1: every control at its place, named after its control. Each control event
// reaches its handler through dispatch, which shows a failure in the error box and then mirrors
// the form's state into the widgets. It owns the reader window too, made from the form's reader
// model when the form first asks to show it, so that one mirror refreshes both windows.
class MainWindow : public QMainWindow, public WindowHost {
    Q_OBJECT
  public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Connects the controls to the form's handlers and shows the form's state. The form learns
    // the browser's directory here, before its creation handler runs.
    void bind(TForm1& form);

    // Runs a step of the form, shows what failed in the error box, then mirrors the form.
    void dispatch(const std::function<void()>& step);
    void dispatch(void (TForm1::*handler)());
    // Shows the form's state in the widgets, raising no control event.
    void mirror();

    FileBrowser& fileBrowser() const { return *browser_; }

    // From now on the slot captions say what the identifier knows about their cartridges.
    void setCartridgeIdentifier(CartridgeIdentifier& identifier);
    // A user's choice of an item in the named list: the list's handler runs.
    void chooseListItem(const char* control, int index);

    void closeMain() override;
    void bringMainToFront() override;
    void showReader() override;

  signals:
    // The window has closed: the program ends, taking the reader window with it.
    void closed();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // The widgets the binding tables name, found once by bind; defined beside the tables.
    struct Controls;
    struct ControlsDeleter {
        void operator()(Controls* controls) const;
    };

    void bindControls();
    void fileListChanged();
    void centre();
    // A file or folder named in the name field, picked as if it were dropped.
    void pickTyped(const QString& name);
    void pickPath(const QByteArray& path);
    void showMessage(const QString& message);
    void showPicture(QObject* label, const ImagePtr& picture);

    TForm1* form_ = nullptr;
    std::unique_ptr<Controls, ControlsDeleter> controls_;
    QWidget* panel_;
    FileBrowser* browser_;
    CartridgeTips* cartridgeTips_ = nullptr;
    std::unique_ptr<ReaderWindow> reader_; // none until first shown
    std::map<const QObject*, ImagePtr> shownPictures_;
    bool shownOnce_ = false;
    bool bridgeTipsShown_ = false; // the option tips say what the emulator bridge leaves out
};
