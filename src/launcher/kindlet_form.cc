#include "launcher/kindlet_form.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "common/program_folder.h"
#include "common/system_clock.h"
#include "launcher/casino_popup_form.h"
#include "launcher/own_port.h"
#include "ui/common/qt_ports.h"
#include "update/process_wait.h"
#include "update/qt_http_client.h"
#include "update/update_config.h"

namespace vessaro {
namespace {

constexpr int kWidth = 480;
constexpr int kPictureHeight = 210;

QPixmap LoadCard(const fs::path& program_folder, const char* name) {
  return QPixmap(QString::fromStdString((program_folder / "image" / name).string()));
}

}  // namespace

LauncherPicture::LauncherPicture(const fs::path& program_folder, QWidget* parent)
    : QWidget(parent), back_(LoadCard(program_folder, "card.bmp")), face_(LoadCard(program_folder, "S1.bmp")) {
  setFixedSize(kWidth, kPictureHeight);
}

void LauncherPicture::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  QRadialGradient felt(width() * 0.35, height() * 0.45, width() * 0.75);
  felt.setColorAt(0.0, QColor(0x16, 0x8a, 0x4a));
  felt.setColorAt(1.0, QColor(0x05, 0x3d, 0x1d));
  p.fillRect(rect(), felt);
  p.setPen(QPen(QColor(0xE8, 0xC5, 0x6A), 3));
  p.drawRect(rect().adjusted(6, 6, -7, -7));

  // Two cards fanned on the right: the back and the ace of spades.
  auto draw_card = [&](const QPixmap& card, qreal x, qreal angle) {
    p.save();
    p.translate(x, 108);
    p.rotate(angle);
    const QRectF r(-40, -54, 80, 108);
    p.setPen(QPen(QColor(0, 0, 0, 90), 1));
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRoundedRect(r.translated(4, 4), 6, 6);
    if (card.isNull()) {  // no pictures in the folder: a plain card back
      p.setBrush(Qt::white);
      p.drawRoundedRect(r, 6, 6);
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(0x8b, 0x1a, 0x1a));
      p.drawRoundedRect(r.adjusted(6, 6, -6, -6), 4, 4);
    } else {
      p.drawPixmap(r, card, QRectF(card.rect()));
    }
    p.restore();
  };
  draw_card(back_, 350, -12);
  draw_card(face_, 405, 10);

  QFont title = font();
  title.setPointSize(34);
  title.setBold(true);
  title.setItalic(true);
  p.setFont(title);
  p.setPen(QColor(0, 0, 0, 120));
  p.drawText(QRect(34, 52, 300, 70), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Vessaro"));
  p.setPen(QColor(0xF3, 0xD9, 0x8B));
  p.drawText(QRect(31, 49, 300, 70), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Vessaro"));
  QFont sub = font();
  sub.setPointSize(11);
  sub.setBold(true);
  p.setFont(sub);
  p.setPen(QColor(255, 255, 255, 220));
  p.drawText(QRect(34, 120, 300, 24), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("バカラ シミュレーター"));
  p.setPen(QColor(255, 255, 255, 140));
  sub.setPointSize(9);
  sub.setBold(false);
  p.setFont(sub);
  p.drawText(QRect(34, 146, 300, 20), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("BACCARAT TRAINER & SIMULATOR"));
}

TKindletForm::TKindletForm(const fs::path& program_folder, KindletPorts ports, QWidget* parent)
    : QWidget(parent), program_folder_(program_folder), ports_(std::move(ports)) {
  setObjectName(QStringLiteral("Kindlet"));
  setWindowTitle(QString::fromUtf8(launcher_texts::kTitle));
  const UpdateConfig config = LoadUpdateConfig(program_folder_);
  root_ = config.root;
  ports_.dialogs = PortOrOwn<QtDialogs>(ports_.dialogs, own_dialogs_, this);
  ports_.pump = PortOrOwn<QtEventPump>(ports_.pump, own_pump_);
  ports_.clock = PortOrOwn<SystemClock>(ports_.clock, own_clock_);
  ports_.processes = PortOrOwn<SystemProcessList>(ports_.processes, own_processes_);
  ports_.shell = PortOrOwn<QtShell>(ports_.shell, own_shell_);
  ports_.http = PortOrOwn<QtHttpClient>(ports_.http, own_http_, config.timeout_ms);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 14);
  layout->setSpacing(10);
  layout->addWidget(new LauncherPicture(program_folder_, this));
  status_ = new QLabel(QString::fromUtf8(launcher_texts::kUpdating), this);
  status_->setObjectName(QStringLiteral("StatusLabel"));
  status_->setContentsMargins(18, 0, 18, 0);
  layout->addWidget(status_);
  progress_ = new QProgressBar(this);
  progress_->setObjectName(QStringLiteral("UpdateProgress"));
  progress_->setTextVisible(false);
  progress_->setRange(0, 1);
  progress_->setValue(0);
  auto* bar_row = new QVBoxLayout;
  bar_row->setContentsMargins(18, 0, 18, 0);
  bar_row->addWidget(progress_);
  layout->addLayout(bar_row);
  setFixedSize(kWidth, sizeHint().height());

  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
  }
}

TKindletForm::~TKindletForm() = default;

void TKindletForm::SetMaximum(int maximum) { progress_->setRange(0, std::max(1, maximum)); }

void TKindletForm::SetPosition(int position) { progress_->setValue(std::min(position, progress_->maximum())); }

void TKindletForm::ShowAnnouncement(const fs::path& picture) {
  if (ports_.show_announcement) {
    ports_.show_announcement(picture);
    return;
  }
  TCasinoPopupForm popup(picture, this);
  if (popup.has_picture()) popup.exec();
}

LauncherEnd TKindletForm::Run() {
  ran_ = true;
  running_ = true;
  LauncherPorts ports{UpdatePorts{*ports_.http, *ports_.pump, *ports_.clock}, *ports_.dialogs, *ports_.processes,
                      *ports_.shell};
  LauncherEnd end = LauncherEnd::kUpdateFailed;
  try {
    end = RunLauncher(ports, *this, program_folder_, root_, RunningProgramFile());
  } catch (const IoError& e) {
    ports_.dialogs->ShowMessage(e.what(), MessageKind::kError);
  }
  running_ = false;
  emit finished(end);
  if (end == LauncherEnd::kStarted || end == LauncherEnd::kStartFailed || close_pending_) close();
  return end;
}

void TKindletForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!RunOnce(started_)) return;
  // After the window has been drawn once.
  QTimer::singleShot(0, this, [this] {
    if (!ran_) Run();
  });
}

void TKindletForm::closeEvent(QCloseEvent* event) {
  // A download is on the stack below: close once the run has reached its end, so that no file
  // is left half replaced.
  if (running_) {
    close_pending_ = true;
    event->ignore();
    return;
  }
  event->accept();
}

}  // namespace vessaro
