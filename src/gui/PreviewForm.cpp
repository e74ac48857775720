#include "gui/PreviewForm.h"

#include "app/Captions.h"
#include "app/DialogTexts.h"
#include "common/Error.h"
#include "gui/Controls.h"
#include "gui/Dialogs.h"
#include "gui/PreviewRunner.h"
#include "preview/FramePng.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QKeySequenceEdit>
#include <QMenuBar>
#include <QPainter>
#include <QStatusBar>

namespace {

// The frame, each pixel a square of the scale.
class FrameView : public QWidget {
  public:
    FrameView(PreviewRunner* runner, QWidget* parent) : QWidget(parent), runner_(runner) {
        setFocusPolicy(Qt::NoFocus);
    }
    void SetScale(int scale) { setFixedSize(Handheld::kWidth * scale, Handheld::kHeight * scale); }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawImage(rect(), runner_->Frame());
    }

  private:
    PreviewRunner* runner_;
};

} // namespace

PreviewForm::PreviewForm(QString rom, uint8_t LanguageFlag, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent, Qt::Window), rom_(std::move(rom)), language_(LanguageFlag), dialogs_(dialogs) {
    setObjectName("PreviewForm");
    setAttribute(Qt::WA_QuitOnClose, false);
    preview = PreviewSettings::Load();
    const lb::PreviewCaptionSet& c = lb::PreviewCaptionsFor(LanguageFlag);
    setWindowTitle(Utf8(c.title) + " - " + rom_);
    runner = new PreviewRunner(this);
    view = new FrameView(runner, this);
    setCentralWidget(view);
    connect(runner, &PreviewRunner::FrameReady, view, qOverload<>(&QWidget::update), Qt::QueuedConnection);

    QMenuBar* bar = menuBar();
    reload = bar->addAction(Utf8(c.reload));
    reload->setShortcut(QKeySequence("F5"));
    connect(reload, &QAction::triggered, this, &PreviewForm::Open);
    screenshot = bar->addAction(Utf8(c.screenshot));
    connect(screenshot, &QAction::triggered, this, [this] { SaveScreenshot(false); });
    screenshotScaled = bar->addAction(Utf8(c.screenshotScaled));
    connect(screenshotScaled, &QAction::triggered, this, [this] { SaveScreenshot(true); });
    QMenu* scaleMenu = bar->addMenu(Utf8(c.scale));
    scales = new QActionGroup(this);
    for (int k = 1; k <= 4; ++k) {
        QAction* a = scaleMenu->addAction(QString("%1×").arg(k));
        a->setCheckable(true);
        a->setChecked(k == preview.scale);
        a->setData(k);
        scales->addAction(a);
        connect(a, &QAction::triggered, this, [this, k] { SetScale(k); });
    }
    keysAction = bar->addAction(Utf8(c.keys));
    connect(keysAction, &QAction::triggered, this, &PreviewForm::ChangeKeys);
    SetScale(preview.scale);
    ShowMapping();
}

PreviewForm::~PreviewForm() { runner->Stop(); }

bool PreviewForm::Open() {
    runner->Stop();
    try {
        runner->Start(std::make_unique<Handheld>(rom_.toStdString()));
    } catch (const lb::Error& e) {
        dialogs_.Message(this, Utf8(lb::kNoticeTitle), QString::fromUtf8(e.what()));
        return false;
    }
    return true;
}

void PreviewForm::SetScale(int scale) {
    preview.scale = scale;
    preview.Save();
    static_cast<FrameView*>(view)->SetScale(scale);
    adjustSize();
}

void PreviewForm::ShowMapping() { statusBar()->showMessage(preview.MappingText(language_)); }

void PreviewForm::SaveScreenshot(bool scaled) {
    lb::FileDialogText text = lb::ScreenshotDialog(language_);
    FileQuestion question;
    question.title = Utf8(text.title);
    question.filters = text.filters;
    question.initial = "preview.png";
    question.confirmOverwrite = true;
    QString chosen = dialogs_.SaveFile(this, question);
    if (chosen.isEmpty()) return;
    try {
        lb::WriteFramePng(chosen.toStdString(), runner->RawFrame(), scaled ? preview.scale : 1);
    } catch (const lb::Error& e) {
        dialogs_.Message(this, Utf8(lb::kNoticeTitle), QString::fromUtf8(e.what()));
    }
}

void PreviewForm::ChangeKeys() {
    QDialog dialog(this);
    dialog.setWindowTitle(Utf8(lb::PreviewCaptionsFor(language_).keysTitle));
    auto* form = new QFormLayout(&dialog);
    std::vector<QKeySequenceEdit*> edits;
    for (size_t i = 0; i < kPreviewKeys.size(); ++i) {
        auto* edit = new QKeySequenceEdit(QKeySequence(preview.keys[i]), &dialog);
        form->addRow(kPreviewKeys[i].name, edit);
        edits.push_back(edit);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted) return;
    for (size_t i = 0; i < edits.size(); ++i)
        if (edits[i]->keySequence().count() >= 1) preview.keys[i] = edits[i]->keySequence()[0].toCombined();
    preview.Save();
    ShowMapping();
}

void PreviewForm::keyPressEvent(QKeyEvent* event) {
    uint32_t bit = preview.BitFor(event->key());
    if (!bit) return QMainWindow::keyPressEvent(event);
    if (!event->isAutoRepeat()) runner->SetKeys(held_ |= bit);
}

void PreviewForm::keyReleaseEvent(QKeyEvent* event) {
    uint32_t bit = preview.BitFor(event->key());
    if (!bit) return QMainWindow::keyReleaseEvent(event);
    if (!event->isAutoRepeat()) runner->SetKeys(held_ &= ~bit);
}

void PreviewForm::changeEvent(QEvent* event) {
    // Paused while another window has the keyboard, once this one has had it.
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow()) {
            wasActive_ = true;
            runner->SetPaused(false);
        } else if (wasActive_) {
            runner->SetPaused(true);
            runner->SetKeys(held_ = 0);
        }
    }
    QMainWindow::changeEvent(event);
}

void PreviewForm::closeEvent(QCloseEvent* event) {
    runner->Stop();
    QMainWindow::closeEvent(event);
}
