#include "ui/openmsx_machines.h"

#include "files/file_io.h"
#include "machine_list.h"
#include "openmsx_probe.h"

#include "base/errors.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cstdlib>

namespace {

constexpr bridge::Generation generations[] = {bridge::Generation::Msx1, bridge::Generation::Msx2,
                                              bridge::Generation::Msx2Plus};
const QString automatic = QStringLiteral("automatic");

QString text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QStringList columnsOf(const bridge::MachineRow& row, const bridge::GenerationMachines& list)
{
    const auto& m = row.traits;
    QString state = !row.starts   ? QStringLiteral("not tested")
                    : *row.starts ? QString()
                                  : QStringLiteral("does not start");
    if (row.name == list.chosen)
        state = row.name == list.pinned ? QStringLiteral("chosen (pinned)") : QStringLiteral("chosen");
    const QString unknown = QStringLiteral("?");
    return {text(row.name),
            QString::number(m.drives),
            row.known ? QStringLiteral("%1 KB").arg(m.ramKB) : unknown,
            row.known ? (m.sixtyHz ? QStringLiteral("60 Hz") : QStringLiteral("50 Hz")) : unknown,
            row.known ? (m.msxMusic ? QStringLiteral("MSX-MUSIC") : QStringLiteral("none")) : unknown,
            state};
}

} // namespace

// openMSX as the bridge finds it: the program on PATH, its kept answers and the choice file.
struct OpenMsxMachinesDialog::Bridge {
    std::string program =
        bridge::findProgram("openmsx", std::getenv("PATH") ? std::getenv("PATH") : "/bin:/usr/bin");
    bridge::TestConfigAnswers answers{bridge::answersCachePath(),
                                      program.empty() ? "" : bridge::answersKey(program)};
    std::string choiceFile;
    std::string choiceText;
    bool choiceReadable = true; // false: too large; pins are not written over it
    std::string choiceProblem;
    std::vector<bridge::GenerationMachines> lists;
};

OpenMsxMachinesDialog::OpenMsxMachinesDialog(std::string appDir, QWidget* parent)
    : QDialog(parent), appDir_(std::move(appDir)), bridge_(std::make_unique<Bridge>()),
      tree_(new QTreeWidget(this)), note_(new QLabel(this))
{
    setObjectName(QStringLiteral("openmsxMachines"));
    setWindowTitle(QStringLiteral("openMSX machines"));
    tree_->setObjectName(QStringLiteral("machineTree"));
    tree_->setHeaderLabels({QStringLiteral("Machine"), QStringLiteral("Drives"), QStringLiteral("Memory"),
                            QStringLiteral("Frequency"), QStringLiteral("Built-in FM"), QString()});
    tree_->setRootIsDecorated(false);
    tree_->setMinimumSize(620, 320);
    note_->setWordWrap(true);
    auto* pins = new QFormLayout;
    for (int i = 0; i < 3; ++i) {
        pins_[i] = new QComboBox(this);
        pins_[i]->setObjectName(QStringLiteral("pin") + text(bridge::generationKey(generations[i])));
        pins_[i]->setToolTip(
            QStringLiteral("The machine the bridge starts for this generation; \"automatic\" "
                           "lets it choose one that has what the line asks for."));
        // Alt+1, Alt+2 and Alt++ reach the lists from the keyboard.
        const char* const captions[] = {"MSX&1 machine:", "MSX&2 machine:", "MSX2&+ machine:"};
        pins->addRow(QString::fromLatin1(captions[i]), pins_[i]);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* again = buttons->addButton(QStringLiteral("&Test again"), QDialogButtonBox::ActionRole);
    again->setObjectName(QStringLiteral("testAgain"));
    again->setToolTip(
        QStringLiteral("Asks openMSX again which machines start, after system ROMs came or went."));
    again->setEnabled(!bridge_->program.empty());
    connect(again, &QPushButton::clicked, this, &OpenMsxMachinesDialog::testAgain);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (savePins())
            accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tree_);
    layout->addWidget(note_);
    layout->addLayout(pins);
    layout->addWidget(buttons);

    bridge_->choiceFile = appDir_ + std::string(bridge::machineChoiceFile);
    bridge::ChoiceFile read = bridge::readMachineChoiceFile(appDir_);
    bridge_->choiceText = std::move(read.text);
    bridge_->choiceReadable = read.problem.empty();
    bridge_->choiceProblem = std::move(read.problem);
    fill();
}

OpenMsxMachinesDialog::~OpenMsxMachinesDialog() = default;

void OpenMsxMachinesDialog::fill()
{
    Bridge& b = *bridge_;
    const std::string program = b.program;
    b.lists = bridge::listMachines(
        b.choiceText, [&b](const std::string& machine) { return b.answers.find(machine); },
        [program](const std::string& machine) {
            return program.empty() ? std::nullopt : bridge::describeMachine(program, machine);
        },
        b.answers.machinesAsked());
    tree_->clear();
    for (int i = 0; i < 3; ++i) {
        const auto& list = b.lists[i];
        auto* heading = new QTreeWidgetItem(tree_, {text(bridge::generationName(list.generation))});
        heading->setFirstColumnSpanned(true);
        heading->setFlags(Qt::ItemIsEnabled);
        QFont bold = heading->font(0);
        bold.setBold(true);
        heading->setFont(0, bold);
        QComboBox* pin = pins_[i];
        pin->clear();
        pin->addItem(automatic);
        for (const auto& row : list.rows) {
            // Machines openMSX refused are left out; those not asked yet wait for "Test again".
            if (row.starts.value_or(true) || row.name == list.pinned) {
                new QTreeWidgetItem(heading, columnsOf(row, list));
                pin->addItem(text(row.name));
            }
        }
        if (!list.pinned.empty() && pin->findText(text(list.pinned)) < 0)
            pin->addItem(text(list.pinned));
        pin->setCurrentIndex(list.pinned.empty() ? 0 : pin->findText(text(list.pinned)));
        pin->setEnabled(b.choiceReadable);
    }
    tree_->expandAll();
    for (int column = 0; column < tree_->columnCount(); ++column)
        tree_->resizeColumnToContents(column);
    QString note = b.program.empty()
                       ? QStringLiteral("openmsx was not found on PATH: install it with \"sudo "
                                        "apt-get install openmsx cbios\".")
                       : QStringLiteral("Machines that start with the system ROMs found here. "
                                        "\"chosen\" marks what the bridge starts for a plain line.");
    if (!b.choiceReadable)
        note += QStringLiteral(" ") + text(b.choiceFile) + QStringLiteral(" ") + text(b.choiceProblem) +
                QStringLiteral(": the pins cannot be written.");
    note_->setText(note);
}

void OpenMsxMachinesDialog::testAgain()
{
    Bridge& b = *bridge_;
    if (b.program.empty())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    // openMSX's folders may have changed since: the answers are kept under a fresh key.
    b.answers = bridge::TestConfigAnswers(bridge::answersCachePath(), bridge::answersKey(b.program));
    for (const auto& list : b.lists)
        for (const auto& row : list.rows) {
            b.answers.remember(row.name,
                               bridge::runQuietly(b.program, {"-testconfig", "-machine", row.name}, 20));
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
    b.answers.save();
    QApplication::restoreOverrideCursor();
    fill();
}

bool OpenMsxMachinesDialog::savePins()
{
    Bridge& b = *bridge_;
    std::string updated = b.choiceText;
    for (int i = 0; i < 3; ++i) {
        const std::string chosen =
            pins_[i]->currentText() == automatic ? "" : pins_[i]->currentText().toStdString();
        if (chosen != b.lists[i].pinned)
            updated = bridge::withPinnedMachine(updated, generations[i], chosen);
    }
    if (updated == b.choiceText || !b.choiceReadable)
        return true;
    try {
        fileio::save(b.choiceFile, updated);
    } catch (const VeldrunError& e) {
        QMessageBox::warning(this, windowTitle(), QString::fromLocal8Bit(e.what()));
        return false;
    }
    b.choiceText = updated;
    return true;
}

void connectOpenMsxMachinesItem(QMenuBar* bar, std::function<std::string()> appDir)
{
    auto* item = bar->findChild<QAction*>(QStringLiteral("Machines1"));
    if (!item)
        return;
    QObject::connect(item, &QAction::triggered, bar, [bar, appDir] {
        OpenMsxMachinesDialog dialog(appDir(), bar->window());
        dialog.exec();
    });
}
