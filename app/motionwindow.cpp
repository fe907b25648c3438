#include "app/motionwindow.h"

#include "app/commandline.h"
#include "app/desktop.h"
#include "app/eventguard.h"
#include "app/sequencefile.h"
#include "app/texts.h"
#include "app/tform1.h"
#include "link/messages.h"
#include "link/portdirectory.h"
#include "link/portlink.h"
#include "link/senders.h"
#include "params/baudmath.h"
#include "settings/fileaccess.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSaveFile>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <stdexcept>

namespace {
enum Column
{
    poseColumn,
    moveColumn,
    holdColumn,
    easingColumn,
};

// The longest a pose's name may be: a file with a longer one would not load again.
constexpr int longestPoseName = 200;
// Home's move, from wherever the servos are.
constexpr int homeMoveMs = 1000;
// An export holds at most an hour of frames: far more than a microcontroller keeps, and the file
// is made in memory.
constexpr std::int64_t mostExportedMs = 3600 * 1000;

QString easingText(Easing easing)
{
    switch (easing) {
    case Easing::Step:
        return MotionWindow::tr("step");
    case Easing::Linear:
        return MotionWindow::tr("linear");
    case Easing::EaseInOut:
        return MotionWindow::tr("ease-in-out");
    }
    return {};
}

constexpr std::array easings{Easing::Step, Easing::Linear, Easing::EaseInOut};

QString poseText(const Pose &pose)
{
    return Texts::outside(pose.name);
}

QStringList poseTexts(const Sequence &sequence)
{
    QStringList names;
    for (const Pose &pose : sequence.poses)
        names << poseText(pose);
    return names;
}

QString seconds(std::int64_t ms)
{
    return QString::number(double(ms) / 1000, 'f', 1);
}

// A rate the board can run at; frames are worked out only for such a rate.
bool rateUsable(int baud)
{
    return baud > 0 && divisorAchievable(baudDivisorFor(baud));
}

QString portText(int port)
{
    return QString::fromStdString(portName(port));
}

[[noreturn]] void writeFailed(const QString &path, const QString &reason)
{
    throw std::runtime_error(MotionWindow::tr("\"%1\" could not be written: %2")
                                 .arg(Texts::outside(QDir::toNativeSeparators(path)), reason)
                                 .toStdString());
}

// Written whole beside the old file and put in its place in one step, as the settings are: a
// failure part way leaves the old file as it was. Unbuffered, so that a full disk shows in the
// write rather than in a flush that commit() does not look at.
void writeWhole(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        const QFileInfo folder(QFileInfo(path).absolutePath());
        if (folder.isDir() && !folder.isWritable())
            writeFailed(path, Texts::folderNotWritable(folder.filePath(), file.errorString()));
        writeFailed(path, file.errorString());
    }
    if (!lockForWriting(file.handle()))
        writeFailed(path, MotionWindow::tr("another program is writing it"));
    if (const int error = keepOwner(file.handle(), QFile::encodeName(path).toStdString()))
        writeFailed(path, Texts::systemReason(error));
    for (qint64 written = 0; written < bytes.size();) {
        const qint64 n = file.write(bytes.constData() + written, bytes.size() - written);
        if (n <= 0)
            writeFailed(path, file.errorString());
        written += n;
    }
    if (const int error = syncToDisk(file.handle()))
        writeFailed(path, Texts::systemReason(error));
    if (!file.commit())
        writeFailed(path, file.errorString());
}

// The step table's editors: a list of the poses or easings, or a number of milliseconds.
class StepDelegate : public QStyledItemDelegate
{
  public:
    StepDelegate(const Sequence &sequence, QObject *parent)
        : QStyledItemDelegate(parent), m_sequence(sequence)
    {}

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &,
                          const QModelIndex &index) const override
    {
        const QString caption =
            index.model()->headerData(index.column(), Qt::Horizontal).toString();
        if (index.column() == moveColumn || index.column() == holdColumn) {
            auto *spin = new QSpinBox(parent);
            spin->setObjectName(index.column() == moveColumn ? QStringLiteral("stepMoveEditor")
                                                             : QStringLiteral("stepHoldEditor"));
            spin->setRange(0, longestTimeMs);
            spin->setSingleStep(100);
            spin->setAccessibleName(caption);
            return spin;
        }
        auto *combo = new QComboBox(parent);
        if (index.column() == poseColumn) {
            combo->setObjectName(QStringLiteral("stepPoseEditor"));
            combo->addItems(poseTexts(m_sequence));
        } else {
            combo->setObjectName(QStringLiteral("stepEasingEditor"));
            for (const Easing easing : easings)
                combo->addItem(easingText(easing));
        }
        combo->setAccessibleName(caption);
        // A pick from the list counts at once, not only when the editor loses the focus.
        auto *self = const_cast<StepDelegate *>(this);
        connect(combo, &QComboBox::activated, self,
                [self, combo] { Q_EMIT self->commitData(combo); });
        return combo;
    }

    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        if (auto *combo = qobject_cast<QComboBox *>(editor))
            combo->setCurrentIndex(index.data(Qt::UserRole).toInt());
        else if (auto *spin = qobject_cast<QSpinBox *>(editor))
            spin->setValue(index.data(Qt::EditRole).toInt());
    }

    void setModelData(QWidget *editor, QAbstractItemModel *model,
                      const QModelIndex &index) const override
    {
        if (auto *combo = qobject_cast<QComboBox *>(editor)) {
            model->setData(index, combo->currentIndex(), Qt::UserRole);
            model->setData(index, combo->currentText(), Qt::DisplayRole);
        } else if (auto *spin = qobject_cast<QSpinBox *>(editor)) {
            spin->interpretText();
            model->setData(index, spin->value(), Qt::EditRole);
        }
    }

  private:
    const Sequence &m_sequence;
};

QPushButton *button(const QString &text, const char *name, const QString &accessibleName,
                    QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAccessibleName(accessibleName);
    b->setAutoDefault(false);
    return b;
}
} // namespace

MotionWindow::MotionWindow(TForm1 &form, Desktop &desktop)
    : QWidget(&form, Qt::Window), m_form(form), m_desktop(desktop)
{
    setObjectName(QStringLiteral("MotionWindow"));
    setWindowTitle(tr("Motion"));
    Pose home; // at 128 everywhere
    home.name = tr("Home").toStdString();
    m_sequence.poses = {home};
    makeControls();
    connectEvents();
    showSequence();
    followMainWindow();
}

MotionWindow::~MotionWindow()
{
    stopAndWait();
}

// Made in the order Tab visits them.
void MotionWindow::makeControls()
{
    auto *top = new QVBoxLayout(this);

    auto *poses = new QGroupBox(tr("Poses"), this);
    poses->setObjectName(QStringLiteral("poseGroup"));
    auto *poseLayout = new QGridLayout(poses);
    m_poseList = new QListWidget(poses);
    m_poseList->setObjectName(QStringLiteral("poseList"));
    m_poseList->setAccessibleName(tr("Poses"));
    m_poseList->setAccessibleDescription(tr("F2 renames the selected pose."));
    m_poseList->setEditTriggers(QAbstractItemView::DoubleClicked |
                                QAbstractItemView::EditKeyPressed);
    // Narrow, so that the window fits beside the main one; the sliders take the room there is.
    m_poseList->setMinimumWidth(110);
    m_poseList->setMaximumWidth(180);
    poseLayout->addWidget(m_poseList, 0, 0);
    auto *sliders = new QGridLayout;
    for (int servo = 0; servo < poseServos; ++servo) {
        auto *label = new QLabel(tr("Servo %1").arg(servo), poses);
        label->setObjectName(QStringLiteral("poseSliderLabel%1").arg(servo));
        auto *slider = new QSlider(Qt::Horizontal, poses);
        slider->setObjectName(QStringLiteral("poseSlider%1").arg(servo));
        slider->setRange(0, highestPosition);
        slider->setPageStep(16);
        slider->setAccessibleName(tr("Servo %1 position").arg(servo));
        slider->setMinimumWidth(160);
        label->setBuddy(slider);
        auto *value = new QLabel(poses);
        value->setObjectName(QStringLiteral("poseValue%1").arg(servo));
        // Room for the widest value, so that the slider does not shift as it moves.
        value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("888")));
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        sliders->addWidget(label, servo, 0);
        sliders->addWidget(slider, servo, 1);
        sliders->addWidget(value, servo, 2);
        m_sliders[size_t(servo)] = slider;
        m_sliderValues[size_t(servo)] = value;
    }
    poseLayout->addLayout(sliders, 0, 1);
    auto *poseButtons = new QHBoxLayout;
    m_poseAdd = button(tr("&Add current"), "poseAdd", tr("Add current"), poses);
    m_poseRename = button(tr("&Rename"), "poseRename", tr("Rename"), poses);
    m_poseDelete = button(tr("&Delete"), "poseDelete", tr("Delete"), poses);
    m_poseGoTo = button(tr("&Go to"), "poseGoTo", tr("Go to"), poses);
    for (QPushButton *b : {m_poseAdd, m_poseRename, m_poseDelete, m_poseGoTo})
        poseButtons->addWidget(b);
    poseLayout->addLayout(poseButtons, 1, 0, 1, 2);
    poseLayout->setColumnStretch(1, 1);
    top->addWidget(poses);

    auto *steps = new QGroupBox(tr("Steps"), this);
    steps->setObjectName(QStringLiteral("stepGroup"));
    auto *stepLayout = new QVBoxLayout(steps);
    m_stepTable = new QTableWidget(0, 4, steps);
    m_stepTable->setObjectName(QStringLiteral("stepTable"));
    m_stepTable->setAccessibleName(tr("Steps"));
    m_stepTable->setAccessibleDescription(
        tr("The arrow keys move between the cells; F2 or typing changes one."));
    m_stepTable->setHorizontalHeaderLabels(
        {tr("Pose"), tr("Move ms"), tr("Hold ms"), tr("Easing")});
    m_stepTable->setItemDelegate(new StepDelegate(m_sequence, m_stepTable));
    m_stepTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_stepTable->setSelectionMode(QAbstractItemView::SingleSelection);
    m_stepTable->setEditTriggers(
        QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
        QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    // Tab leaves the table; the arrow keys move within it.
    m_stepTable->setTabKeyNavigation(false);
    m_stepTable->horizontalHeader()->setSectionResizeMode(poseColumn, QHeaderView::Stretch);
    m_stepTable->verticalHeader()->setDefaultSectionSize(m_stepTable->fontMetrics().height() + 10);
    m_stepTable->setMinimumHeight(120);
    stepLayout->addWidget(m_stepTable);
    auto *stepButtons = new QHBoxLayout;
    m_stepAdd = button(tr("Add s&tep"), "stepAdd", tr("Add step"), steps);
    m_stepRemove = button(tr("Re&move"), "stepRemove", tr("Remove step"), steps);
    m_stepUp = button(tr("&Up"), "stepUp", tr("Move step up"), steps);
    m_stepDown = button(tr("Do&wn"), "stepDown", tr("Move step down"), steps);
    for (QPushButton *b : {m_stepAdd, m_stepRemove, m_stepUp, m_stepDown})
        stepButtons->addWidget(b);
    stepLayout->addLayout(stepButtons);
    top->addWidget(steps, 1);

    auto *loop = new QHBoxLayout;
    auto *roundsLabel = new QLabel(tr("Rounds:"), this);
    roundsLabel->setObjectName(QStringLiteral("loopRoundsLabel"));
    m_loopRounds = new QSpinBox(this);
    m_loopRounds->setObjectName(QStringLiteral("loopRounds"));
    m_loopRounds->setRange(1, mostRounds);
    m_loopRounds->setAccessibleName(tr("Rounds"));
    roundsLabel->setBuddy(m_loopRounds);
    m_loopForever = new QCheckBox(tr("For &ever"), this);
    m_loopForever->setObjectName(QStringLiteral("loopForever"));
    m_loopForever->setAccessibleName(tr("For ever"));
    auto *homeLabel = new QLabel(tr("Home pose:"), this);
    homeLabel->setObjectName(QStringLiteral("homePoseLabel"));
    m_homePose = new QComboBox(this);
    m_homePose->setObjectName(QStringLiteral("homePose"));
    m_homePose->setAccessibleName(tr("Home pose"));
    m_homePose->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_homePose->setMinimumContentsLength(10);
    homeLabel->setBuddy(m_homePose);
    loop->addWidget(roundsLabel);
    loop->addWidget(m_loopRounds);
    loop->addWidget(m_loopForever);
    loop->addStretch();
    loop->addWidget(homeLabel);
    loop->addWidget(m_homePose);
    top->addLayout(loop);

    auto *play = new QHBoxLayout;
    m_play = button(tr("&Play"), "motionPlay", tr("Play"), this);
    m_stop = button(tr("&Stop"), "motionStop", tr("Stop"), this);
    m_home = button(tr("&Home"), "motionHome", tr("Home"), this);
    m_time = new QLabel(this);
    m_time->setObjectName(QStringLiteral("motionTime"));
    m_time->setAccessibleDescription(tr("Time played"));
    for (QPushButton *b : {m_play, m_stop, m_home})
        play->addWidget(b);
    play->addStretch();
    play->addWidget(m_time);
    top->addLayout(play);

    m_linkLabel = new QLabel(this);
    m_linkLabel->setObjectName(QStringLiteral("motionLink"));
    m_linkLabel->setAccessibleDescription(tr("Frames on the link"));
    m_linkLabel->setWordWrap(true);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("motionStatus"));
    m_status->setAccessibleDescription(tr("Status"));
    // It names files and poses and says what the system said: never markup.
    m_status->setTextFormat(Qt::PlainText);
    m_status->setWordWrap(true);
    m_status->setMinimumHeight(2 * m_status->fontMetrics().lineSpacing());
    m_status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_linkLabel->setTextFormat(Qt::PlainText);
    m_time->setTextFormat(Qt::PlainText);
    top->addWidget(m_linkLabel);
    top->addWidget(m_status);

    auto *files = new QHBoxLayout;
    m_open = button(tr("&Open..."), "sequenceOpen", tr("Open sequence"), this);
    m_save = button(tr("Sa&ve..."), "sequenceSave", tr("Save sequence"), this);
    m_exportCsv = button(tr("Export &CSV..."), "exportCsv", tr("Export CSV"), this);
    m_exportHeader = button(tr("E&xport C header..."), "exportHeader", tr("Export C header"), this);
    for (QPushButton *b : {m_open, m_save, m_exportCsv, m_exportHeader})
        files->addWidget(b);
    top->addLayout(files);

    // While playing, the window looks at the playback this often.
    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("motionTimer"));
    m_timer->setInterval(100);
}

// Every handler is given the control that raised the event, and runs under the error report.
template <typename Sender, typename Signal, typename... Args>
void MotionWindow::bindEvent(Sender *sender, Signal signal,
                             void (MotionWindow::*handler)(QObject *, Args...))
{
    connect(sender, signal, this, [this, sender, handler](Args... args) {
        runHandler([&] { (this->*handler)(sender, args...); });
    });
}

void MotionWindow::connectEvents()
{
    bindEvent(m_poseList, &QListWidget::currentRowChanged, &MotionWindow::poseSelected);
    bindEvent(m_poseList, &QListWidget::itemChanged, &MotionWindow::poseRenamed);
    bindEvent(m_poseAdd, &QPushButton::clicked, &MotionWindow::poseAddClick);
    bindEvent(m_poseRename, &QPushButton::clicked, &MotionWindow::poseRenameClick);
    bindEvent(m_poseDelete, &QPushButton::clicked, &MotionWindow::poseDeleteClick);
    bindEvent(m_poseGoTo, &QPushButton::clicked, &MotionWindow::poseGoToClick);
    for (QSlider *slider : m_sliders)
        bindEvent(slider, &QSlider::valueChanged, &MotionWindow::poseSliderChange);
    bindEvent(m_stepTable, &QTableWidget::itemChanged, &MotionWindow::stepEdited);
    connect(m_stepTable, &QTableWidget::itemSelectionChanged, this,
            [this] { runHandler([this] { updateEnabled(); }); });
    bindEvent(m_stepAdd, &QPushButton::clicked, &MotionWindow::stepAddClick);
    bindEvent(m_stepRemove, &QPushButton::clicked, &MotionWindow::stepRemoveClick);
    bindEvent(m_stepUp, &QPushButton::clicked, &MotionWindow::stepUpClick);
    bindEvent(m_stepDown, &QPushButton::clicked, &MotionWindow::stepDownClick);
    bindEvent(m_loopRounds, &QSpinBox::valueChanged, &MotionWindow::loopChange);
    bindEvent(m_loopForever, &QCheckBox::toggled, &MotionWindow::loopChange);
    bindEvent(m_homePose, &QComboBox::currentIndexChanged, &MotionWindow::homePoseChange);
    bindEvent(m_play, &QPushButton::clicked, &MotionWindow::motionPlayClick);
    bindEvent(m_stop, &QPushButton::clicked, &MotionWindow::motionStopClick);
    bindEvent(m_home, &QPushButton::clicked, &MotionWindow::motionHomeClick);
    bindEvent(m_timer, &QTimer::timeout, &MotionWindow::playbackTick);
    bindEvent(m_open, &QPushButton::clicked, &MotionWindow::sequenceOpenClick);
    bindEvent(m_save, &QPushButton::clicked, &MotionWindow::sequenceSaveClick);
    bindEvent(m_exportCsv, &QPushButton::clicked, &MotionWindow::exportCsvClick);
    bindEvent(m_exportHeader, &QPushButton::clicked, &MotionWindow::exportHeaderClick);
}

int MotionWindow::selectedPose() const
{
    const int row = m_poseList->currentRow();
    return row >= 0 && row < int(m_sequence.poses.size()) ? row : -1;
}

int MotionWindow::selectedStep() const
{
    const int row = m_stepTable->currentRow();
    const bool chosen = !m_stepTable->selectionModel()->selectedRows().isEmpty();
    return chosen && row >= 0 && row < int(m_sequence.steps.size()) ? row : -1;
}

void MotionWindow::showSequence()
{
    showPoses(0);
    showSteps(m_sequence.steps.empty() ? -1 : 0);
    const QSignalBlocker rounds(m_loopRounds);
    const QSignalBlocker forever(m_loopForever);
    m_loopForever->setChecked(m_sequence.rounds == 0);
    m_loopRounds->setValue(std::max(m_sequence.rounds, 1));
    m_loopRounds->setEnabled(m_sequence.rounds != 0);
    showTime(0);
}

void MotionWindow::showPoses(int selected)
{
    {
        const QSignalBlocker list(m_poseList);
        const QSignalBlocker home(m_homePose);
        m_poseList->clear();
        m_homePose->clear();
        for (const Pose &pose : m_sequence.poses) {
            auto *item = new QListWidgetItem(poseText(pose), m_poseList);
            item->setFlags(item->flags() | Qt::ItemIsEditable);
        }
        m_homePose->addItems(poseTexts(m_sequence));
        m_homePose->setCurrentIndex(m_sequence.home);
        m_poseList->setCurrentRow(std::clamp(selected, 0, int(m_sequence.poses.size()) - 1));
    }
    showPose();
    updateEnabled();
}

void MotionWindow::showSteps(int selected)
{
    {
        const QSignalBlocker table(m_stepTable);
        m_stepTable->setRowCount(int(m_sequence.steps.size()));
        for (int row = 0; row < int(m_sequence.steps.size()); ++row) {
            const Step &step = m_sequence.steps[size_t(row)];
            auto *pose = new QTableWidgetItem(poseText(m_sequence.poses[size_t(step.pose)]));
            pose->setData(Qt::UserRole, step.pose);
            auto *move = new QTableWidgetItem;
            move->setData(Qt::EditRole, step.moveMs);
            auto *hold = new QTableWidgetItem;
            hold->setData(Qt::EditRole, step.holdMs);
            auto *easing = new QTableWidgetItem(easingText(step.easing));
            easing->setData(Qt::UserRole, int(step.easing));
            m_stepTable->setItem(row, poseColumn, pose);
            m_stepTable->setItem(row, moveColumn, move);
            m_stepTable->setItem(row, holdColumn, hold);
            m_stepTable->setItem(row, easingColumn, easing);
        }
        m_stepTable->clearSelection();
        if (selected >= 0 && selected < m_stepTable->rowCount())
            m_stepTable->selectRow(selected);
    }
    showTime(0);
    updateEnabled();
}

void MotionWindow::showPose()
{
    const int pose = selectedPose();
    for (int servo = 0; servo < poseServos; ++servo) {
        const int position =
            pose < 0 ? 128 : m_sequence.poses[size_t(pose)].positions[size_t(servo)];
        const QSignalBlocker quiet(m_sliders[size_t(servo)]);
        m_sliders[size_t(servo)]->setValue(position);
        m_sliderValues[size_t(servo)]->setText(QString::number(position));
    }
}

void MotionWindow::showTime(std::int64_t elapsedMs)
{
    std::optional<std::int64_t> total;
    if (m_playback) {
        total = m_playTotal;
    } else if (m_sequence.rounds != 0) {
        std::int64_t round = 0;
        for (const Step &step : m_sequence.steps)
            round += std::int64_t(step.moveMs) + step.holdMs;
        total = round * m_sequence.rounds;
    }
    m_time->setText(total ? tr("%1 s of %2 s").arg(seconds(elapsedMs), seconds(*total))
                          : tr("%1 s, for ever").arg(seconds(elapsedMs)));
}

void MotionWindow::showLink()
{
    MotionLink link;
    try {
        link = m_form.motionLink();
    } catch (const std::exception &e) {
        m_linkLabel->setText(tr("No frames: %1").arg(QString::fromUtf8(e.what())));
        return;
    }
    if (!rateUsable(link.baud)) {
        m_linkLabel->setText(tr("No frames: the board cannot run at %1 baud.").arg(link.baud));
        return;
    }
    const FrameTiming timing = frameTiming(link);
    m_linkLabel->setText(tr("%1 frames a second, up to %2 servos a frame (%3, %4 baud)")
                             .arg(QString::number(timing.framesPerSecond(), 'g', 3))
                             .arg(timing.servosPerFrame)
                             .arg(link.nativeFormat ? tr("Quorvel") : tr("Mini SSC"))
                             .arg(link.baud));
}

void MotionWindow::updateEnabled()
{
    const bool motion = !m_form.digitalController();
    const bool free = !playing();
    const bool pose = selectedPose() >= 0;
    const int step = selectedStep();
    m_play->setEnabled(free && motion);
    m_home->setEnabled(free && motion);
    m_stop->setEnabled(!free);
    m_poseGoTo->setEnabled(free && motion && pose);
    for (QSlider *slider : m_sliders)
        slider->setEnabled(free && motion && pose);
    m_poseRename->setEnabled(pose);
    m_poseDelete->setEnabled(pose && m_sequence.poses.size() > 1);
    m_stepRemove->setEnabled(step >= 0);
    m_stepUp->setEnabled(step > 0);
    m_stepDown->setEnabled(step >= 0 && step + 1 < int(m_sequence.steps.size()));
}

void MotionWindow::say(const QString &sentence)
{
    m_status->setText(sentence);
}

QString MotionWindow::shownName() const
{
    return m_path.isEmpty() ? tr("Untitled") : QFileInfo(m_path).fileName();
}

void MotionWindow::followMainWindow()
{
    showLink();
    // Said once as the function changes, so that the sentence does not crowd out others.
    const bool outputs = m_form.digitalController();
    if (outputs && m_status->text() != Texts::noMotionForOutputs())
        say(Texts::noMotionForOutputs());
    else if (!outputs && m_status->text() == Texts::noMotionForOutputs())
        say(QString());
    updateEnabled();
}

bool MotionWindow::motionAllowed()
{
    followMainWindow();
    return !m_form.digitalController();
}

void MotionWindow::showRefusal(const QString &sentence)
{
    say(sentence);
}

void MotionWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    runHandler([this] { followMainWindow(); });
}

void MotionWindow::closeEvent(QCloseEvent *event)
{
    // The port is free again once the window has gone.
    runHandler([this] { stopAndWait(); });
    QWidget::closeEvent(event);
}

void MotionWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Escape || event->modifiers() != Qt::NoModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (playing())
        runHandler([this] { motionStopClick(this); });
    else
        close();
}

void MotionWindow::poseSelected(QObject *)
{
    showPose();
    updateEnabled();
}

void MotionWindow::poseRenamed(QObject *, QListWidgetItem *item)
{
    const int pose = m_poseList->row(item);
    if (pose < 0 || pose >= int(m_sequence.poses.size()))
        return;
    const QString name = item->text().trimmed().left(longestPoseName);
    if (name.isEmpty()) {
        const QSignalBlocker quiet(m_poseList);
        item->setText(poseText(m_sequence.poses[size_t(pose)]));
        say(tr("A pose needs a name; it keeps the one it had."));
        return;
    }
    m_sequence.poses[size_t(pose)].name = name.toStdString();
    showPoseName(pose);
}

void MotionWindow::showPoseName(int pose)
{
    const QString text = poseText(m_sequence.poses[size_t(pose)]);
    {
        const QSignalBlocker quiet(m_poseList);
        if (QListWidgetItem *item = m_poseList->item(pose); item && item->text() != text)
            item->setText(text);
    }
    m_homePose->setItemText(pose, text);
    const QSignalBlocker quiet(m_stepTable);
    for (int row = 0; row < int(m_sequence.steps.size()); ++row)
        if (m_sequence.steps[size_t(row)].pose == pose)
            m_stepTable->item(row, poseColumn)->setText(text);
}

void MotionWindow::poseAddClick(QObject *)
{
    if (int(m_sequence.poses.size()) >= mostSequencePoses) {
        say(tr("A sequence holds at most %1 poses.").arg(mostSequencePoses));
        return;
    }
    Pose pose;
    for (int servo = 0; servo < poseServos; ++servo)
        pose.positions[size_t(servo)] = std::uint8_t(m_sliders[size_t(servo)]->value());
    // The lowest number no pose's name has.
    for (int n = 1;; ++n) {
        const std::string name = tr("Pose %1").arg(n).toStdString();
        if (std::none_of(m_sequence.poses.begin(), m_sequence.poses.end(),
                         [&](const Pose &p) { return p.name == name; })) {
            pose.name = name;
            break;
        }
    }
    m_sequence.poses.push_back(pose);
    showPoses(int(m_sequence.poses.size()) - 1);
    say(tr("Added \"%1\".").arg(poseText(pose)));
}

void MotionWindow::poseRenameClick(QObject *)
{
    if (QListWidgetItem *item = m_poseList->currentItem()) {
        m_poseList->setFocus();
        m_poseList->editItem(item);
    }
}

void MotionWindow::poseDeleteClick(QObject *)
{
    const int pose = selectedPose();
    if (pose < 0)
        return;
    const QString name = poseText(m_sequence.poses[size_t(pose)]);
    if (m_sequence.home == pose) {
        say(tr("\"%1\" is the home pose: choose another home pose before deleting it.").arg(name));
        return;
    }
    const auto user = std::find_if(m_sequence.steps.begin(), m_sequence.steps.end(),
                                   [pose](const Step &step) { return step.pose == pose; });
    if (user != m_sequence.steps.end()) {
        say(tr("Step %1 goes to \"%2\": change or remove that step before deleting the pose.")
                .arg(user - m_sequence.steps.begin() + 1)
                .arg(name));
        return;
    }
    m_sequence.poses.erase(m_sequence.poses.begin() + pose);
    for (Step &step : m_sequence.steps)
        step.pose -= step.pose > pose;
    m_sequence.home -= m_sequence.home > pose;
    showPoses(std::min(pose, int(m_sequence.poses.size()) - 1));
    showSteps(selectedStep());
    say(tr("Deleted \"%1\".").arg(name));
}

void MotionWindow::poseGoToClick(QObject *)
{
    const int pose = selectedPose();
    if (pose < 0 || !motionAllowed())
        return;
    const std::optional<Target> to = target(false);
    if (!to)
        return;
    const Positions &positions = m_sequence.poses[size_t(pose)].positions;
    Message message;
    if (to->link.nativeFormat) {
        message = nativePoseMessage(positions, to->link.baud);
    } else {
        // One port cycle for the eight: the writes of each servo's message in turn.
        message = miniSscTestMessage(to->link.address, 0, positions[0], to->link.baud);
        for (int servo = 1; servo < poseServos; ++servo) {
            const Message one = miniSscTestMessage(to->link.address, servo,
                                                   positions[size_t(servo)], to->link.baud);
            message.writes.insert(message.writes.end(), one.writes.begin(), one.writes.end());
        }
    }
    send(
        *to, message,
        tr("Sent \"%1\" to %2.").arg(poseText(m_sequence.poses[size_t(pose)]), portText(to->port)));
    m_lastSent = positions;
}

void MotionWindow::poseSliderChange(QObject *sender, int position)
{
    const int pose = selectedPose();
    const auto found = std::find(m_sliders.begin(), m_sliders.end(), sender);
    if (pose < 0 || found == m_sliders.end())
        return;
    const int servo = int(found - m_sliders.begin());
    Positions &positions = m_sequence.poses[size_t(pose)].positions;
    positions[size_t(servo)] = std::uint8_t(position);
    m_sliderValues[size_t(servo)]->setText(QString::number(position));
    // Every change moves the real servo, as the main window's test slider does; nothing goes
    // while no port is chosen.
    if (m_form.digitalController())
        return;
    const std::optional<Target> to = target(true);
    if (!to)
        return;
    send(*to,
         to->link.nativeFormat
             ? nativePoseMessage(positions, to->link.baud)
             : miniSscTestMessage(to->link.address, servo, position, to->link.baud),
         QString());
    m_lastSent = positions;
}

void MotionWindow::stepEdited(QObject *, QTableWidgetItem *item)
{
    const int row = item->row();
    if (row < 0 || row >= int(m_sequence.steps.size()))
        return;
    Step &step = m_sequence.steps[size_t(row)];
    switch (item->column()) {
    case poseColumn:
        step.pose =
            std::clamp(item->data(Qt::UserRole).toInt(), 0, int(m_sequence.poses.size()) - 1);
        break;
    case moveColumn:
        step.moveMs = std::clamp(item->data(Qt::EditRole).toInt(), 0, longestTimeMs);
        break;
    case holdColumn:
        step.holdMs = std::clamp(item->data(Qt::EditRole).toInt(), 0, longestTimeMs);
        break;
    case easingColumn:
        step.easing = easings[size_t(std::clamp(item->data(Qt::UserRole).toInt(), 0, 2))];
        break;
    }
    if (!playing())
        showTime(0);
}

void MotionWindow::stepAddClick(QObject *)
{
    if (int(m_sequence.steps.size()) >= mostSequenceSteps) {
        say(tr("A sequence holds at most %1 steps.").arg(mostSequenceSteps));
        return;
    }
    const int at = selectedStep() < 0 ? int(m_sequence.steps.size()) : selectedStep() + 1;
    m_sequence.steps.insert(m_sequence.steps.begin() + at,
                            Step{std::max(selectedPose(), 0), 1000, 0, Easing::Linear});
    showSteps(at);
}

void MotionWindow::stepRemoveClick(QObject *)
{
    const int step = selectedStep();
    if (step < 0)
        return;
    m_sequence.steps.erase(m_sequence.steps.begin() + step);
    showSteps(std::min(step, int(m_sequence.steps.size()) - 1));
}

void MotionWindow::stepUpClick(QObject *)
{
    const int step = selectedStep();
    if (step <= 0)
        return;
    std::swap(m_sequence.steps[size_t(step)], m_sequence.steps[size_t(step - 1)]);
    showSteps(step - 1);
}

void MotionWindow::stepDownClick(QObject *)
{
    const int step = selectedStep();
    if (step < 0 || step + 1 >= int(m_sequence.steps.size()))
        return;
    std::swap(m_sequence.steps[size_t(step)], m_sequence.steps[size_t(step + 1)]);
    showSteps(step + 1);
}

void MotionWindow::loopChange(QObject *)
{
    m_sequence.rounds = m_loopForever->isChecked() ? 0 : m_loopRounds->value();
    m_loopRounds->setEnabled(!m_loopForever->isChecked());
    if (!playing())
        showTime(0);
}

void MotionWindow::homePoseChange(QObject *)
{
    const int home = m_homePose->currentIndex();
    if (home >= 0 && home < int(m_sequence.poses.size()))
        m_sequence.home = home;
}

std::optional<MotionWindow::Target> MotionWindow::target(bool quietWithoutPort)
{
    const int port = m_form.record().comPort;
    if (port == 0) {
        if (!quietWithoutPort)
            say(Texts::noPortChosen());
        return std::nullopt;
    }
    Target to{port, {}};
    try {
        to.link = m_form.motionLink();
    } catch (const std::exception &e) {
        say(QString::fromUtf8(e.what()));
        return std::nullopt;
    }
    if (!rateUsable(to.link.baud)) {
        say(tr("The board cannot run at %1 baud. Choose a higher rate in the main window.")
                .arg(to.link.baud));
        return std::nullopt;
    }
    return to;
}

void MotionWindow::send(const Target &to, const Message &message, const QString &done)
{
    const SendResult sent = sendMessage(m_form.portLink(), to.port, message);
    if (!sent.delivered)
        say(Texts::notSent(portText(to.port), &m_form.portLink(), to.port, sent));
    else if (!done.isEmpty())
        say(done);
}

std::optional<MotionWindow::Target> MotionWindow::readyToPlay()
{
    if (playing() || !motionAllowed())
        return std::nullopt;
    std::optional<Target> to = target(false);
    if (!to)
        return std::nullopt;
    if (const SequenceFault fault = checkSequence(m_sequence)) {
        say(Texts::sequenceFault(shownName(), fault));
        return std::nullopt;
    }
    return to;
}

void MotionWindow::motionPlayClick(QObject *)
{
    if (const std::optional<Target> to = readyToPlay())
        startPlayback(m_sequence, *to, false);
}

void MotionWindow::motionHomeClick(QObject *)
{
    const std::optional<Target> to = readyToPlay();
    if (!to)
        return;
    const Positions from = m_lastSent.value_or(m_sequence.poses[size_t(m_sequence.home)].positions);
    startPlayback(homeMove(from, m_sequence, homeMoveMs), *to, true);
}

void MotionWindow::startPlayback(const Sequence &sequence, const Target &to, bool home)
{
    PortLink &link = m_form.portLink();
    // Before the open, so that no signal can end the program with the port held.
    m_interrupts = std::make_unique<PortWaitInterrupts>();
    SerialPort port = link.open(to.port, HolderScan::Freshness::Now);
    if (!port.isOpen()) {
        PortWaitInterrupts::endAsBefore(std::move(m_interrupts), portWaitsInterrupted());
        const SendResult refused{port.error(), port.holder(), false, port.device(),
                                 port.systemError()};
        say(Texts::notSent(portText(to.port), &link, to.port, refused));
        return;
    }
    // From here until the playback has ended and closed the port, the main window's messages to
    // it are refused rather than landing between frames.
    link.setPlaying(to.port, true);
    m_playingPort = to.port;
    m_playingHome = home;
    m_playingName = home ? tr("the move home") : shownName();
    const Player player(sequence);
    m_playTotal = player.totalMs();
    m_playback =
        std::make_unique<Playback>(std::move(port), player, to.link, link.stalls().limit());
    m_timer->start();
    updateEnabled();
    if (m_stop->isVisible())
        m_stop->setFocus();
    showTime(0);
    say(home ? tr("Going home on %1...").arg(portText(to.port))
             : tr("Playing %1 on %2...").arg(Texts::outside(shownName()), portText(to.port)));
}

void MotionWindow::motionStopClick(QObject *)
{
    // Ends before the next frame; the timer sees it end and frees the port.
    if (m_playback)
        m_playback->stop();
}

void MotionWindow::playbackTick(QObject *)
{
    if (!m_playback) {
        m_timer->stop();
        return;
    }
    const Playback::Progress progress = m_playback->progress();
    if (progress.ending == Playback::Ending::running)
        showTime(progress.elapsedMs);
    else
        endPlayback();
}

void MotionWindow::stopAndWait()
{
    if (!m_playback)
        return;
    m_playback->stop();
    m_playback->wait();
    endPlayback();
}

void MotionWindow::endPlayback()
{
    m_playback->wait();
    const Playback::Progress progress = m_playback->progress();
    m_playback.reset();
    m_form.portLink().setPlaying(m_playingPort, false);
    m_timer->stop();
    if (progress.framesSent > 0)
        m_lastSent = progress.last;
    const QString port = portText(m_playingPort);
    switch (progress.ending) {
    case Playback::Ending::finished:
        say(m_playingHome ? tr("The servos are at the home pose (%1).").arg(port)
                          : Texts::played(m_playingName, port, progress));
        break;
    case Playback::Ending::stopped:
    case Playback::Ending::running:
        say(tr("Stopped. %1").arg(Texts::played(m_playingName, port, progress)));
        break;
    default:
        say(Texts::playbackEnded(port, progress.ending, m_form.portLink().stalls().limit()));
        break;
    }
    updateEnabled();
    showTime(0);
    // The port is closed: a signal that came during the show now ends the program as it would
    // have (or does whatever was set up for it before).
    PortWaitInterrupts::endAsBefore(std::move(m_interrupts), portWaitsInterrupted());
}

std::optional<QString> MotionWindow::askSavePath(const QString &title, const QString &filter,
                                                 const QString &suffix, const QString &selected)
{
    // A file that is there already is replaced only when the user says so; No goes back to the
    // dialog, at the name given.
    std::optional<QString> path;
    do {
        path = m_desktop.chooseFile(
            {Desktop::FileDialogKind::Save, title, filter, suffix, path.value_or(selected)});
        if (!path)
            return std::nullopt;
    } while (QFileInfo::exists(*path) && !m_desktop.askReplace(*path, title));
    return path;
}

void MotionWindow::sequenceOpenClick(QObject *)
{
    if (const std::optional<QString> path = m_desktop.chooseFile(
            {Desktop::FileDialogKind::Open, tr("Open Sequence"),
             tr("Sequence Files *.svseq|*.svseq"), QLatin1String(sequenceFileSuffix), m_path}))
        openFrom(*path);
}

void MotionWindow::openFrom(const QString &path)
{
    const SequenceFileRead read = readSequenceFile(path);
    if (!read.file) {
        m_desktop.messageBox(read.refusal, tr("Open Sequence"));
        return;
    }
    m_sequence = read.file->sequence;
    m_path = path;
    showSequence();
    const QString name = Texts::outside(QFileInfo(path).fileName());
    const MotionLink &made = read.file->link;
    MotionLink now;
    try {
        now = m_form.motionLink();
    } catch (const std::exception &) {
        now = made; // the main window says what is wrong with its own choices
    }
    if (now == made || (now.nativeFormat && made.nativeFormat && now.baud == made.baud))
        say(tr("Opened %1.").arg(name));
    else
        say(tr("Opened %1. It was made for %2 at %3 baud, address %4; it plays in the main "
               "window's format, at its address and rate.")
                .arg(name, made.nativeFormat ? tr("Quorvel") : tr("Mini SSC"))
                .arg(made.baud)
                .arg(made.address));
}

void MotionWindow::sequenceSaveClick(QObject *)
{
    const QString title = tr("Save Sequence");
    // The link is converted before the dialog: a text that does not convert touches no file.
    const SequenceFile file{m_sequence, m_form.motionLink()};
    // A file this program would refuse to open again is not written.
    if (file.link.baud < 300 || file.link.baud > divisorBase || file.link.address < 0 ||
        file.link.address > 65535)
        throw std::runtime_error(
            tr("A sequence file records a rate from 300 to %1 baud and an address from 0 to "
               "65535; the main window has %2 baud and address %3.")
                .arg(divisorBase)
                .arg(file.link.baud)
                .arg(file.link.address)
                .toStdString());
    const std::optional<QString> path = askSavePath(title, tr("Sequence Files *.svseq|*.svseq"),
                                                    QLatin1String(sequenceFileSuffix), m_path);
    if (!path)
        return;
    writeWhole(*path, encodeSequenceFile(file));
    m_path = *path;
    say(tr("Saved %1.").arg(Texts::outside(QFileInfo(*path).fileName())));
}

void MotionWindow::exportCsvClick(QObject *)
{
    exportFrames(false);
}

void MotionWindow::exportHeaderClick(QObject *)
{
    exportFrames(true);
}

void MotionWindow::exportFrames(bool header)
{
    if (const SequenceFault fault = checkSequence(m_sequence)) {
        say(Texts::sequenceFault(shownName(), fault));
        return;
    }
    Sequence once = m_sequence;
    if (once.rounds == 0)
        once.rounds = 1; // a sequence that goes round for ever exports one round
    const Player player(once);
    if (*player.totalMs() > mostExportedMs) {
        say(tr("%1 lasts %2 s; an export holds at most an hour of frames.")
                .arg(Texts::outside(shownName()), seconds(*player.totalMs())));
        return;
    }
    const QString title = header ? tr("Export C Header") : tr("Export CSV");
    const QString suffix = header ? QStringLiteral("h") : QStringLiteral("csv");
    const QString base = m_path.isEmpty() ? QString() : QFileInfo(m_path).completeBaseName();
    const std::optional<QString> path =
        askSavePath(title, header ? tr("C Header Files *.h|*.h") : tr("CSV Files *.csv|*.csv"),
                    suffix, base.isEmpty() ? QString() : base + QLatin1Char('.') + suffix);
    if (!path)
        return;
    const QByteArray bytes = header ? framesHeader(player, shownName()) : framesCsv(player);
    writeWhole(*path, bytes);
    const qsizetype frames = header ? bytes.count("},\n") : bytes.count('\n') - 1;
    say(tr("Exported %1 frames to %2.")
            .arg(frames)
            .arg(Texts::outside(QFileInfo(*path).fileName())));
}
