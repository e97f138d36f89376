#include "ui/table/vessaro_main.h"

#include <QApplication>
#include <algorithm>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

#include "autosim/run_table.h"
#include "autosim/system_sources.h"
#include "common/format.h"
#include "common/program_folder.h"
#include "common/shell_open.h"
#include "common/system_clock.h"
#include "ui/common/qt_ports.h"
#include "ui/common/window_helpers.h"
#include "systems/folders.h"
#include "ui/analysis/bet_patternanalyze_form.h"
#include "ui/analysis/graph_bunseki_form.h"
#include "ui/analysis/graph_form.h"
#include "ui/analysis/log_view_form.h"
#include "ui/balancesheet/record_balance_form.h"
#include "ui/autosim/study_form.h"
#include "ui/systems/bet_pattern_form.h"
#include "ui/systems/bet_sys_pattern_form.h"
#include "ui/table/card_animation.h"
#include "ui/table/qt_sound_out.h"
#include "ui/table/rule_dlg_form.h"
#include "ui/table/sound_setting_form.h"
#include "ui/table/stop_jyoken_form.h"
#include "ui/table/window_placement.h"
#include "launcher/update_info_form.h"
#include "launcher/update_splash_form.h"

namespace vessaro {
namespace {

constexpr int kFeltTop = 40;
constexpr int kFeltHeight = 416;
constexpr int kCardWidth = 71;
constexpr int kCardHeight = 96;
constexpr int kCardTop = 74;
constexpr int kGridTop = 460;
constexpr int kStatusTop = 604;
constexpr int kCell = 24;
constexpr int kMinimumRow = 14;
const QColor kFelt(0x0B, 0x6B, 0x34);
const QColor kGold(0xE8, 0xC5, 0x6A);

// Where each card place lies on the felt: first cards nearest the middle, third cards outermost
// and turned sideways.
QRect CardRect(int place) {
  switch (place) {
    case kPlayer1: return {409, kCardTop, kCardWidth, kCardHeight};
    case kPlayer2: return {332, kCardTop, kCardWidth, kCardHeight};
    case kPlayer3: return {226, kCardTop + 12, kCardHeight, kCardWidth};
    case kBanker1: return {520, kCardTop, kCardWidth, kCardHeight};
    case kBanker2: return {597, kCardTop, kCardWidth, kCardHeight};
    default: return {678, kCardTop + 12, kCardHeight, kCardWidth};
  }
}

class FeltWidget : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(width() / 2.0, height() * 0.45, width() * 0.65);
    g.setColorAt(0.0, kFelt.lighter(135));
    g.setColorAt(1.0, kFelt.darker(115));
    p.fillRect(rect(), g);
    // The printed lines of a baccarat layout.
    p.setPen(QPen(QColor(255, 255, 255, 60), 2));
    p.drawArc(QRect(60, -260, width() - 120, 560), 200 * 16, 140 * 16);
    QFont f = font();
    f.setPointSize(9);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(255, 255, 255, 90));
    p.drawText(QRect(0, 176, width(), 18), Qt::AlignCenter,
               QStringLiteral("BANKER PAYS 1 TO 0.95  ・  PLAYER PAYS 1 TO 1  ・  TIE RETURNS THE STAKE"));
  }
};

QLabel* MakeLabel(QWidget* parent, const QRect& geometry, int point_size, bool bold, const QColor& colour,
                  Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter) {
  auto* label = new QLabel(parent);
  label->setGeometry(geometry);
  QFont f = label->font();
  f.setPointSize(point_size);
  f.setBold(bold);
  label->setFont(f);
  label->setAlignment(align);
  QPalette pal = label->palette();
  pal.setColor(QPalette::WindowText, colour);
  label->setPalette(pal);
  return label;
}

// What the window plugs into the session: the names of the run lists, the stop limits, the
// start-up update of the launcher and the sound.
class WindowServices : public SoundSessionServices {
 public:
  WindowServices(StopLimits& limits, TableSound& sound, std::function<bool()> launcher_update)
      : SoundSessionServices(sound), limits_(limits), launcher_update_(std::move(launcher_update)) {}
  RunLists ReadRunLists(const fs::path& program_folder) override {
    return RunLists{ListSystemNames(program_folder), ListRunPatternNames(program_folder)};
  }
  void ClearStopConditions() override { limits_ = StopLimits{}; }
  bool RunLauncherUpdate() override { return launcher_update_(); }

 private:
  StopLimits& limits_;
  std::function<bool()> launcher_update_;
};

QString GoldButtonStyle() {
  return QStringLiteral(
      "QPushButton { color: #2b1a00; font-weight: bold; border: 1px solid #7a5a10; border-radius: 8px;"
      " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fbe6a2, stop:1 #d8a840); }"
      "QPushButton:pressed { background: #c99a30; }"
      "QPushButton:disabled { color: #6b6b6b; background: #b9b2a0; border-color: #8a8a8a; }");
}

}  // namespace

BetArea::BetArea(BetSide side, QWidget* parent) : QWidget(parent), side_(side) {
  setCursor(Qt::PointingHandCursor);
  setObjectName(side == BetSide::kPlayer ? QStringLiteral("PlayerArea") : QStringLiteral("BankerArea"));
}

void BetArea::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor accent = side_ == BetSide::kPlayer ? QColor(120, 170, 255) : QColor(255, 120, 120);
  p.setPen(QPen(isEnabled() ? accent : accent.darker(160), 3));
  p.setBrush(QColor(255, 255, 255, isEnabled() ? 18 : 6));
  p.drawRoundedRect(rect().adjusted(2, 2, -2, -2), 16, 16);
  QFont f = font();
  f.setPointSize(20);
  f.setBold(true);
  p.setFont(f);
  p.setPen(QColor(255, 255, 255, 70));
  p.drawText(rect().adjusted(0, 8, 0, 0), Qt::AlignHCenter | Qt::AlignTop,
             side_ == BetSide::kPlayer ? QStringLiteral("PLAYER") : QStringLiteral("BANKER"));
}

void BetArea::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && isEnabled()) emit clicked(side_);
}

TVessaroMain::TVessaroMain(const fs::path& program_folder, MainWindowPorts ports, QWidget* parent)
    : QWidget(parent), program_folder_(program_folder), ports_(ports), pictures_(program_folder) {
  setObjectName(QStringLiteral("VessaroMain"));
  setWindowTitle(QStringLiteral("Vessaro - バカラシミュレーター"));
  if (ports_.dialogs == nullptr) {
    own_dialogs_ = std::make_unique<QtDialogs>(this);
    ports_.dialogs = own_dialogs_.get();
  }
  if (ports_.pump == nullptr) {
    own_pump_ = std::make_unique<QtEventPump>();
    ports_.pump = own_pump_.get();
  }
  if (ports_.clock == nullptr) {
    own_clock_ = std::make_unique<SystemClock>();
    ports_.clock = own_clock_.get();
  }
  if (ports_.shell == nullptr) {
    own_shell_ = std::make_unique<QtShell>();
    ports_.shell = own_shell_.get();
  }
  if (ports_.sound == nullptr) {
    own_sound_ = std::make_unique<QtSoundOut>();
    ports_.sound = own_sound_.get();
  }
  sound_ = std::make_unique<TableSound>(program_folder_, *ports_.sound);
  if (ports_.services == nullptr) {
    own_services_ = std::make_unique<WindowServices>(limits_, *sound_, [this] {
      return !RunStartUpdate(this, program_folder_, {*ports_.dialogs, *ports_.pump, *ports_.clock, *ports_.shell});
    });
    ports_.services = own_services_.get();
  }
  if (ports_.rule_dialog == nullptr) ports_.rule_dialog = this;
  session_ = std::make_unique<TableSession>(program_folder_, *ports_.dialogs, *ports_.pump, *ports_.clock,
                                            *ports_.rule_dialog, *ports_.services);
  session_->set_view(this);
  loader_ = std::make_unique<SystemsRunSourceLoader>();
  driver_ = std::make_unique<RunDriver>(program_folder_, *ports_.dialogs, *ports_.pump, *ports_.clock, *loader_);
  detail_form_ = new TGraphBunsekiForm(this);

  setAcceptDrops(true);
  setFixedSize(kWidth, kHeightClosed);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QColor(0x1c, 0x1c, 0x1c));
  setPalette(pal);
  setAutoFillBackground(true);

  BuildBannerBar();
  BuildFelt();
  BuildGridAndStatus();
  BuildRunPanel();
  for (ChipButton* c : chips_)
    hover_.Register(c, [this, c] { PulseControl(pulses_, c, 70, 70, 150); }, [this, c] { StopPulse(pulses_, c); });
  hover_.TrackWhenIdle();

  panel_timer_.setInterval(1);
  panel_timer_.setTimerType(Qt::PreciseTimer);
  connect(&panel_timer_, &QTimer::timeout, this, &TVessaroMain::AnimatePanelHeight);

  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(kWidth / 2, kHeightClosed / 2));
  }
  Refresh();
}

TVessaroMain::~TVessaroMain() { session_->set_view(nullptr); }

void TVessaroMain::BuildBannerBar() {
  banner_bar_ = new QWidget(this);
  banner_bar_->setObjectName(QStringLiteral("BannerBar"));
  banner_bar_->setGeometry(0, 0, kWidth, kFeltTop);
  banner_bar_->setStyleSheet(QStringLiteral(
      "#BannerBar { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #3a2b12, stop:1 #17120a); }"
      "QPushButton { color: #f3d98b; background: transparent; border: 1px solid #6d5521; border-radius: 4px;"
      " padding: 2px 10px; font-weight: bold; }"
      "QPushButton:hover { background: #4a3a1a; }"
      "QPushButton:disabled { color: #777; border-color: #444; }"));
  auto* layout = new QHBoxLayout(banner_bar_);
  layout->setContentsMargins(10, 6, 10, 6);
  auto* title = new QLabel(QStringLiteral("Vessaro"));
  QFont tf = title->font();
  tf.setPointSize(15);
  tf.setBold(true);
  tf.setItalic(true);
  title->setFont(tf);
  title->setStyleSheet(QStringLiteral("color: #f3d98b;"));
  layout->addWidget(title);
  layout->addSpacing(20);
  struct Banner {
    const char* caption;
    void (TVessaroMain::*slot)();
  };
  auto* training = new QPushButton(QStringLiteral("トレーニング分析"));
  training->setObjectName(QStringLiteral("TrainingBanner"));
  connect(training, &QPushButton::clicked, this, [this] {
    session_->HideSettingsMenu();
    if (!Idle()) return;  // never beside an automatic run
    if (ports_.open_window) {
      ports_.open_window("analysis", "", 0);
    } else {
      TBetPatternanalyze analysis(program_folder_, nullptr, this);
      analysis.exec();
      // Graphs are thinned by the most recent run or replay, whichever came last.
      if (analysis.last_replay_rounds() >= 0) graph_rounds_ = analysis.last_replay_rounds();
    }
    // The analysis window's editors may have added systems and patterns.
    session_->RefillRunLists();
    Refresh();
  });
  auto* balance = new QPushButton(QStringLiteral("収支表"));
  balance->setObjectName(QStringLiteral("BalanceSheetBanner"));
  connect(balance, &QPushButton::clicked, this, &TVessaroMain::BalanceSheetClick);
  auto* community = new QPushButton(QStringLiteral("コミュニティ掲示板"));
  connect(community, &QPushButton::clicked, this, [this] { Placeholder(QStringLiteral("コミュニティ掲示板")); });
  auto* game = new QPushButton(QStringLiteral("ゲーム"));
  connect(game, &QPushButton::clicked, this, [this] { Placeholder(QStringLiteral("ゲーム")); });
  for (QPushButton* b : {training, balance, community, game}) layout->addWidget(b);
  layout->addStretch();
}

void TVessaroMain::BuildFelt() {
  felt_ = new FeltWidget(this);
  felt_->setObjectName(QStringLiteral("TableFelt"));
  felt_->setGeometry(0, kFeltTop, kWidth, kFeltHeight);

  round_label_ = MakeLabel(felt_, QRect(14, 6, 300, 26), 14, true, Qt::white);
  round_label_->setObjectName(QStringLiteral("RoundLabel"));
  stats_label_ = MakeLabel(felt_, QRect(14, 32, 480, 22), 10, false, QColor(235, 235, 235));
  stats_label_->setObjectName(QStringLiteral("StatsLabel"));
  MakeLabel(felt_, QRect(800, 6, 60, 24), 12, true, kGold, Qt::AlignRight | Qt::AlignVCenter)->setText("MIN");
  MakeLabel(felt_, QRect(800, 30, 60, 24), 12, true, kGold, Qt::AlignRight | Qt::AlignVCenter)->setText("MAX");
  min_label_ = MakeLabel(felt_, QRect(870, 6, 110, 24), 12, true, Qt::white);
  min_label_->setObjectName(QStringLiteral("MinLabel"));
  max_label_ = MakeLabel(felt_, QRect(870, 30, 110, 24), 12, true, Qt::white);
  max_label_->setObjectName(QStringLiteral("MaxLabel"));

  MakeLabel(felt_, QRect(226, 48, 254, 22), 12, true, QColor(170, 200, 255), Qt::AlignCenter)
      ->setText(QStringLiteral("PLAYER"));
  MakeLabel(felt_, QRect(520, 48, 254, 22), 12, true, QColor(255, 170, 170), Qt::AlignCenter)
      ->setText(QStringLiteral("BANKER"));

  for (int place = 0; place < 6; ++place) {
    card_labels_[place] = new QLabel(felt_);
    card_labels_[place]->setGeometry(CardRect(place));
    card_labels_[place]->setObjectName(QStringLiteral("Card%1").arg(place));
    card_labels_[place]->setScaledContents(true);
  }
  const QString total_style = QStringLiteral(
      "QLabel { background: rgba(0,0,0,110); border: 2px solid rgba(255,255,255,90); border-radius: 12px; }");
  player_total_label_ = MakeLabel(felt_, QRect(130, 86, 80, 72), 40, true, Qt::white, Qt::AlignCenter);
  player_total_label_->setStyleSheet(total_style);
  player_total_label_->setObjectName(QStringLiteral("PlayerTotal"));
  banker_total_label_ = MakeLabel(felt_, QRect(790, 86, 80, 72), 40, true, Qt::white, Qt::AlignCenter);
  banker_total_label_->setStyleSheet(total_style);
  banker_total_label_->setObjectName(QStringLiteral("BankerTotal"));

  player_area_ = new BetArea(BetSide::kPlayer, felt_);
  player_area_->setGeometry(190, 196, 300, 116);
  banker_area_ = new BetArea(BetSide::kBanker, felt_);
  banker_area_->setGeometry(510, 196, 300, 116);
  connect(player_area_, &BetArea::clicked, this, [this](BetSide s) { Guarded([&] { session_->PlaceChip(s); }); });
  connect(banker_area_, &BetArea::clicked, this, [this](BetSide s) { Guarded([&] { session_->PlaceChip(s); }); });

  // Stake piles on the left of each area, the amounts won on the right; they grow upwards.
  const int pile_bottom = 196 + 116 - 8;
  const int pile_x[4] = {190 + 70, 510 + 70, 190 + 180, 510 + 180};
  for (int i = 0; i < 4; ++i) {
    piles_[i] = new TCounterChip(pictures_, felt_);
    piles_[i]->setGeometry(pile_x[i], pile_bottom - TCounterChip::kChipSize + 1, TCounterChip::kChipSize,
                           TCounterChip::kChipSize);
  }

  // Across the lower part of the cards, so the cards stay readable under it.
  banner_label_ = MakeLabel(felt_, QRect(270, 146, 460, 46), 26, true, Qt::red, Qt::AlignCenter);
  banner_label_->setObjectName(QStringLiteral("ResultBanner"));

  for (size_t i = 0; i < kChipValues.size(); ++i) {
    chips_[i] = new ChipButton(kChipValues[i], pictures_.Chip(kChipValues[i]), felt_);
    chips_[i]->move(190 + static_cast<int>(i) * 58, 330);
    chips_[i]->setObjectName(QStringLiteral("Chip%1").arg(kChipValues[i]));
    connect(chips_[i], &ChipButton::clicked, this, [this](int v) { Guarded([&] { session_->SelectChip(v); }); });
  }

  auto make_command = [this](const QString& name, int x, void (TVessaroMain::*slot)()) {
    auto* b = new QPushButton(felt_);
    b->setObjectName(name);
    b->setGeometry(x, 322, 96, 66);
    b->setStyleSheet(GoldButtonStyle());
    connect(b, &QPushButton::clicked, this, slot);
    return b;
  };
  deal_button_ = make_command(QStringLiteral("BtnDeal"), 672, &TVessaroMain::BtnDealClick);
  rebet_button_ = make_command(QStringLiteral("BtnRebet"), 774, &TVessaroMain::BtnRebetClick);
  clear_button_ = make_command(QStringLiteral("BtnClear"), 876, &TVessaroMain::BtnClearClick);
  rebet_button_->setText(QStringLiteral("%1\n%2").arg(table_texts::kRebetJa, table_texts::kRebetEn));
  clear_button_->setText(QStringLiteral("%1\n%2").arg(table_texts::kBetClearJa, table_texts::kBetClearEn));

  all_clear_button_ = new QPushButton(QStringLiteral("オールクリア"), felt_);
  all_clear_button_->setObjectName(QStringLiteral("BtnAllClear"));
  all_clear_button_->setGeometry(14, 322, 160, 30);
  all_clear_button_->setStyleSheet(GoldButtonStyle());
  connect(all_clear_button_, &QPushButton::clicked, this, &TVessaroMain::BtnAllClearClick);

  auto make_tool = [this](const QString& caption, const QString& hint, int x) {
    auto* b = new QToolButton(felt_);
    b->setText(caption);
    b->setToolTip(hint);
    b->setGeometry(x, 362, 38, 38);
    b->setStyleSheet(QStringLiteral(
        "QToolButton { color: white; background: rgba(0,0,0,90); border: 1px solid rgba(255,255,255,120);"
        " border-radius: 19px; font-size: 9pt; } QToolButton:disabled { color: #888; }"));
    return b;
  };
  settings_toggle_ = make_tool(QStringLiteral("設定"), QStringLiteral("設定メニュー"), 14);
  settings_toggle_->setObjectName(QStringLiteral("SettingsToggle"));
  panel_toggle_ = make_tool(QStringLiteral("オート"), QStringLiteral("オートシミュレータ"), 56);
  panel_toggle_->setObjectName(QStringLiteral("PanelToggle"));
  volume_button_ = make_tool(QStringLiteral("音量"), QStringLiteral("音声ボリュームを設定します"), 98);
  screenshot_button_ = make_tool(QStringLiteral("撮影"), QStringLiteral("現在の画面のスクリーンショットを撮影します"), 140);
  screenshot_button_->setObjectName(QStringLiteral("ScreenshotButton"));
  connect(settings_toggle_, &QToolButton::clicked, this, &TVessaroMain::SettingsToggleClick);
  connect(panel_toggle_, &QToolButton::clicked, this, &TVessaroMain::PanelToggleClick);
  volume_button_->setObjectName(QStringLiteral("VolumeButton"));
  connect(volume_button_, &QToolButton::clicked, this, &TVessaroMain::VolumeClick);
  connect(screenshot_button_, &QToolButton::clicked, this, &TVessaroMain::ScreenshotClick);

  settings_menu_ = new QFrame(felt_);
  settings_menu_->setObjectName(QStringLiteral("SettingsMenu"));
  // Drawn opaque over the buttons it covers (All Clear lies under it).
  settings_menu_->setAttribute(Qt::WA_StyledBackground);
  settings_menu_->setAutoFillBackground(true);
  settings_menu_->setGeometry(14, 170, 170, 186);
  settings_menu_->setStyleSheet(QStringLiteral(
      "#SettingsMenu { background: #141414; border: 1px solid #c9a24a; border-radius: 6px; }"
      "QPushButton { color: white; background: transparent; border: none; text-align: left; padding: 6px 10px; }"
      "QPushButton:hover { background: #5a4520; }"));
  auto* menu_layout = new QVBoxLayout(settings_menu_);
  menu_layout->setContentsMargins(4, 4, 4, 4);
  menu_layout->setSpacing(0);
  auto add_menu = [&](const QString& caption, auto handler) {
    auto* b = new QPushButton(caption, settings_menu_);
    menu_layout->addWidget(b);
    connect(b, &QPushButton::clicked, this, handler);
  };
  add_menu(QStringLiteral("ルール設定"), [this] { MenuRuleClick(); });
  add_menu(QStringLiteral("マニュアル表示"), [this] { MenuManualClick(); });
  add_menu(QStringLiteral("アップデート情報"), [this] {
    session_->HideSettingsMenu();
    ShowUpdateInfo(this, program_folder_);
  });
  add_menu(QStringLiteral("お問い合わせ"), [this] { Placeholder(QStringLiteral("お問い合わせ")); });
  add_menu(QStringLiteral("お勧め実践場所"), [this] { Placeholder(QStringLiteral("お勧め実践場所")); });
  settings_menu_->hide();
}

void TVessaroMain::BuildGridAndStatus() {
  grid_ = new QTableWidget(ResultGrid::kInitialRows, ResultGrid::kInitialColumns, this);
  grid_->setObjectName(QStringLiteral("ResultGrid"));
  // Exactly 41 whole columns wide, scrolled a whole column at a time: the first visible column is
  // never cut at the left edge. The horizontal scroll bar is always there and the rows fit above it.
  const int frame = 2 * grid_->frameWidth();
  grid_->setGeometry((kWidth - (ResultGrid::kInitialColumns * kCell + frame)) / 2, kGridTop,
                     ResultGrid::kInitialColumns * kCell + frame, kStatusTop - kGridTop - 4);
  grid_->setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
  grid_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  grid_->horizontalHeader()->hide();
  grid_->verticalHeader()->hide();
  grid_->horizontalHeader()->setMinimumSectionSize(kCell);
  grid_->horizontalHeader()->setDefaultSectionSize(kCell);
  grid_->verticalHeader()->setMinimumSectionSize(kMinimumRow);
  grid_->verticalHeader()->setDefaultSectionSize(kCell);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->setFocusPolicy(Qt::NoFocus);
  grid_->setStyleSheet(QStringLiteral(
      "QTableWidget { background: #fbfaf4; gridline-color: #c8c3b0; font-weight: bold; }"
      "QTableWidget::item:selected { background: #ffe28a; }"));
  FitRows();

  auto* status = new QFrame(this);
  status->setObjectName(QStringLiteral("StatusLine"));
  status->setGeometry(0, kStatusTop, kWidth, kHeightClosed - kStatusTop);
  status->setStyleSheet(QStringLiteral(
      "#StatusLine { background: #101010; border-top: 1px solid #5a4520; }"
      "QLabel { color: #f3d98b; font-size: 11pt; }"));
  auto* layout = new QHBoxLayout(status);
  layout->setContentsMargins(16, 2, 16, 2);
  auto add_pair = [&](const QString& caption, const QString& name) {
    auto* c = new QLabel(caption, status);
    auto* v = new QLabel(status);
    v->setObjectName(name);
    v->setMinimumWidth(140);
    v->setStyleSheet(QStringLiteral("color: white; font-weight: bold;"));
    layout->addWidget(c);
    layout->addWidget(v);
    layout->addSpacing(24);
    return v;
  };
  balance_label_ = add_pair(QStringLiteral("残高"), QStringLiteral("BalanceLabel"));
  stake_label_ = add_pair(QStringLiteral("ベット額"), QStringLiteral("StakeLabel"));
  winnings_label_ = add_pair(QStringLiteral("獲得賞金"), QStringLiteral("WinningsLabel"));
  layout->addStretch();
}

void TVessaroMain::BuildRunPanel() {
  run_panel_ = new QFrame(this);
  run_panel_->setObjectName(QStringLiteral("RunPanel"));
  run_panel_->setGeometry(0, kHeightClosed, kWidth, kHeightOpen - kHeightClosed);
  run_panel_->setStyleSheet(QStringLiteral(
      "#RunPanel { background: #242018; border-top: 2px solid #c9a24a; }"
      "QLabel { color: #f3d98b; }"));
  auto* grid = new QGridLayout(run_panel_);
  grid->setContentsMargins(10, 6, 10, 6);
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(6);
  auto* title = new QLabel(QStringLiteral("オートシミュレータ"));
  QFont tf = title->font();
  tf.setBold(true);
  title->setFont(tf);
  grid->addWidget(title, 0, 0);
  system_combo_ = new QComboBox;
  system_combo_->setObjectName(QStringLiteral("SystemCombo"));
  system_combo_->setMinimumWidth(240);
  pattern_combo_ = new QComboBox;
  pattern_combo_->setObjectName(QStringLiteral("PatternCombo"));
  pattern_combo_->setMinimumWidth(240);
  trials_edit_ = new QLineEdit;
  trials_edit_->setObjectName(QStringLiteral("TrialsEdit"));
  trials_edit_->setMaximumWidth(90);
  auto* trials_label = new QLabel(QStringLiteral("試行回数"));
  trials_label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  grid->addWidget(system_combo_, 0, 1, 1, 2);
  grid->addWidget(pattern_combo_, 0, 3, 1, 2);
  grid->addWidget(trials_label, 0, 5);
  grid->addWidget(trials_edit_, 0, 6);

  grid->addWidget(new QLabel(QStringLiteral("ログファイル")), 1, 0);
  log_edit_ = new QLineEdit;
  log_edit_->setObjectName(QStringLiteral("LogFileEdit"));
  log_edit_->setReadOnly(true);
  grid->addWidget(log_edit_, 1, 1, 1, 4);
  auto make = [this](const QString& caption, void (TVessaroMain::*slot)()) {
    auto* b = new QPushButton(caption);
    b->setObjectName(caption);
    connect(b, &QPushButton::clicked, this, slot);
    run_commands_.push_back(b);
    return b;
  };
  grid->addWidget(make(QStringLiteral("参照"), &TVessaroMain::BtnBrowseLogClick), 1, 5);
  grid->addWidget(make(QStringLiteral("ログを見る"), &TVessaroMain::BtnViewLogClick), 1, 6);
  grid->addWidget(make(QStringLiteral("グラフ表示"), &TVessaroMain::BtnGraphClick), 1, 7);
  grid->addWidget(make(QStringLiteral("停止条件設定"), &TVessaroMain::BtnStopConditionClick), 0, 7);
  grid->addWidget(make(QStringLiteral("オート実行GUI"), &TVessaroMain::BtnAutoGuiClick), 2, 1);
  grid->addWidget(make(QStringLiteral("オート実行処理のみ"), &TVessaroMain::BtnAutoOnlyClick), 2, 2);
  stop_button_ = new QPushButton(QStringLiteral("オート実行中断"));
  stop_button_->setObjectName(QStringLiteral("BtnStop"));
  connect(stop_button_, &QPushButton::clicked, this, &TVessaroMain::BtnStopClick);
  grid->addWidget(stop_button_, 2, 3);
  grid->addWidget(make(QStringLiteral("ベットシステムの追加"), &TVessaroMain::BtnAddSystemClick), 2, 4);
  grid->addWidget(make(QStringLiteral("ベットパターンの追加"), &TVessaroMain::BtnAddPatternClick), 2, 5, 1, 2);
  grid->addWidget(make(QStringLiteral("モンテカルロ検証"), &TVessaroMain::BtnStudyClick), 2, 7);

  // The progress of a run without display, over the table.
  progress_panel_ = new QFrame(felt_);
  progress_panel_->setObjectName(QStringLiteral("ProgressPanel"));
  progress_panel_->setGeometry(300, 150, 400, 84);
  progress_panel_->setStyleSheet(QStringLiteral(
      "#ProgressPanel { background: rgba(15,15,15,225); border: 1px solid #c9a24a; border-radius: 8px; }"
      "QLabel { color: white; font-size: 12pt; }"));
  auto* progress_layout = new QVBoxLayout(progress_panel_);
  progress_label_ = new QLabel(progress_panel_);
  progress_label_->setObjectName(QStringLiteral("ProgressLabel"));
  progress_label_->setAlignment(Qt::AlignCenter);
  progress_bar_ = new QProgressBar(progress_panel_);
  progress_bar_->setTextVisible(false);
  progress_layout->addWidget(progress_label_);
  progress_layout->addWidget(progress_bar_);
  progress_panel_->hide();
}

template <typename F>
void TVessaroMain::Guarded(F&& command) {
  try {
    command();
  } catch (const IoError& e) {
    ports_.dialogs->ShowMessage(e.what(), MessageKind::kError);
  }
}

bool TVessaroMain::FirstDisplay() {
  if (!RunOnce(first_display_done_)) return true;
  if (const std::vector<std::string> missing = MissingRequiredFiles(program_folder_); !missing.empty()) {
    ports_.dialogs->ShowMessage(MissingFilesMessage(missing), MessageKind::kError);
    return false;
  }
  Guarded([&] { handed_over_ = !session_->FirstDisplay(); });
  // Handed over to the updated launcher, which starts the simulator again.
  return !handed_over_;
}

void TVessaroMain::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (first_display_done_) return;
  // After the window has appeared, so that the settings dialog opens over it.
  QTimer::singleShot(0, this, [this] {
    if (!FirstDisplay()) QCoreApplication::exit(handed_over_ ? 0 : 1);
  });
}

void TVessaroMain::Refresh() {
  const TableDisplay& d = session_->display();
  const BetState& b = session_->bets();

  round_label_->setText(ToQt(d.round_caption));
  stats_label_->setText(ToQt(d.statistics_line));
  min_label_->setText(ToQt(d.minimum_text));
  max_label_->setText(ToQt(d.maximum_text));

  for (int place = 0; place < 6; ++place) {
    const CardSlot& slot = d.cards[place];
    QLabel* label = card_labels_[place];
    if (slot.state == CardSlot::State::kEmpty) {
      label->clear();
      label->hide();
      continue;
    }
    const QPixmap& picture = slot.state == CardSlot::State::kBack ? pictures_.Back() : pictures_.Face(slot.card);
    const bool sideways = place == kPlayer3 || place == kBanker3;
    label->setPixmap(sideways ? TablePictures::Sideways(picture) : picture);
    label->show();
  }
  auto total_colour = [](QLabel* label, bool red) {
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, red ? QColor(255, 60, 60) : Qt::white);
    label->setPalette(pal);
  };
  player_total_label_->setText(ToQt(d.player_total));
  banker_total_label_->setText(ToQt(d.banker_total));
  total_colour(player_total_label_, d.player_total_red);
  total_colour(banker_total_label_, d.banker_total_red);

  switch (d.banner) {
    case BannerKind::kNone:
      banner_label_->clear();
      banner_label_->hide();
      break;
    case BannerKind::kWin:
    case BannerKind::kLose:
    case BannerKind::kTie: {
      const char* text = d.banner == BannerKind::kWin    ? table_texts::kWinBanner
                         : d.banner == BannerKind::kLose ? table_texts::kLoseBanner
                                                         : table_texts::kTieBanner;
      const QString colour = d.banner == BannerKind::kWin    ? QStringLiteral("#e00000")
                             : d.banner == BannerKind::kLose ? QStringLiteral("#0030d0")
                                                             : QStringLiteral("#d000d0");
      banner_label_->setText(QString::fromUtf8(text));
      banner_label_->setStyleSheet(QStringLiteral("QLabel { color: %1; background: rgba(255,255,255,200);"
                                                   " border-radius: 14px; }")
                                       .arg(colour));
      banner_label_->show();
      banner_label_->raise();
      break;
    }
  }

  const int64_t pile_amounts[4] = {d.player_pile, d.banker_pile, d.player_win_pile, d.banker_win_pile};
  for (int i = 0; i < 4; ++i)
    if (piles_[i]->amount() != pile_amounts[i]) piles_[i]->ShowChipPile(pile_amounts[i]);

  for (ChipButton* c : chips_) c->SetSelected(c->value() == b.selected_chip);

  if (d.rebet_caption) {
    deal_button_->setText(QStringLiteral("%1\n%2").arg(table_texts::kRebetDealJa, table_texts::kRebetDealEn));
    deal_button_->setStyleSheet(GoldButtonStyle() + QStringLiteral("QPushButton { font-size: 8pt; }"));
  } else {
    deal_button_->setText(QStringLiteral("%1\n%2").arg(table_texts::kDealJa, table_texts::kDealEn));
    deal_button_->setStyleSheet(GoldButtonStyle() + QStringLiteral("QPushButton { font-size: 11pt; }"));
  }

  const bool on = d.table_enabled;
  for (QWidget* w : std::initializer_list<QWidget*>{banner_bar_, player_area_, banker_area_, deal_button_,
                                                    rebet_button_, clear_button_, all_clear_button_,
                                                    settings_toggle_, panel_toggle_, volume_button_,
                                                    screenshot_button_})
    w->setEnabled(on);
  for (ChipButton* c : chips_) c->setEnabled(on);
  system_combo_->setEnabled(on);
  pattern_combo_->setEnabled(on);
  trials_edit_->setEnabled(on);
  log_edit_->setEnabled(on);
  for (QPushButton* b : run_commands_) b->setEnabled(on);
  stop_button_->setEnabled(d.stop_enabled);
  settings_menu_->setVisible(d.settings_menu_visible);
  if (d.settings_menu_visible) settings_menu_->raise();

  const int target = Placement().height;
  if (height() != target && !panel_timer_.isActive()) panel_timer_.start();

  if (trials_edit_->text().isEmpty()) trials_edit_->setText(ToQt(d.trials));
  log_edit_->setText(ToQt(d.log_file));
  auto fill = [](QComboBox* combo, const char* prompt, const std::vector<std::string>& names) {
    QStringList items{QString::fromUtf8(prompt)};
    for (const std::string& n : names) items << ToQt(n);
    QStringList current;
    for (int i = 0; i < combo->count(); ++i) current << combo->itemText(i);
    if (current == items) return;
    const QString chosen = combo->currentText();
    combo->clear();
    combo->addItems(items);
    // The name shown stays as it was; one that is gone (deleted in an editor) goes back to the
    // prompt, so a run asks for a choice rather than failing on the missing file.
    const int keep = combo->findText(chosen);
    combo->setCurrentIndex(keep < 0 ? 0 : keep);
  };
  fill(system_combo_, table_texts::kSystemPrompt, d.system_names);
  fill(pattern_combo_, table_texts::kPatternPrompt, d.pattern_names);

  balance_label_->setText(ToQt(b.balance_text));
  stake_label_->setText(ToQt(b.stake_text));
  winnings_label_->setText(ToQt(b.winnings_text));

  RefreshGrid();
  if (!isVisible()) return;
  // Cards must show at once, even during the wait that processes no events.
  felt_->repaint();
}

void TVessaroMain::RefreshGrid() {
  const ResultGrid& g = session_->grid();
  if (g.revision() == shown_grid_revision_) return;
  const bool one_new_cell = shown_grid_revision_ != ~0ull && g.revision() == shown_grid_revision_ + 1 &&
                            g.cleared_at() <= shown_grid_revision_;
  if (grid_->columnCount() != g.columns()) grid_->setColumnCount(g.columns());
  if (grid_->rowCount() != g.rows()) {
    grid_->setRowCount(g.rows());
    FitRows();
  }
  auto show_cell = [this, &g](int c, int r) {
    const char letter = g.At(c, r);
    QTableWidgetItem* item = grid_->item(r, c);
    if (letter == 0) {
      if (item != nullptr) item->setText(QString());
      return;
    }
    if (item == nullptr) {
      item = new QTableWidgetItem;
      item->setTextAlignment(Qt::AlignCenter);
      grid_->setItem(r, c, item);
    }
    item->setText(QString(QChar(letter)));
    item->setForeground(letter == 'P' ? QColor(20, 60, 200) : letter == 'B' ? QColor(200, 20, 20) : QColor(0, 130, 40));
  };
  if (one_new_cell) {
    show_cell(g.selected_column(), g.selected_row());
  } else {
    for (int c = 0; c < g.columns(); ++c)
      for (int r = 0; r < g.rows(); ++r) show_cell(c, r);
  }
  shown_grid_revision_ = g.revision();
  if (QTableWidgetItem* item = grid_->item(g.selected_row(), g.selected_column())) {
    grid_->setCurrentItem(item);
    grid_->scrollToItem(item);
  } else {
    grid_->setCurrentCell(g.selected_row(), g.selected_column());
  }
}

PanelPlacement TVessaroMain::Placement() const {
  const QRect frame = frameGeometry();
  const QRect inside = geometry();
  const QMargins margins(inside.left() - frame.left(), inside.top() - frame.top(), frame.right() - inside.right(),
                         frame.bottom() - inside.bottom());
  const QScreen* on = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
  const QRect available = on != nullptr ? on->availableGeometry() : QRect(0, 0, kWidth, kHeightOpen);
  return PlacePanel(available, margins, frame.top(), kHeightClosed, kHeightOpen, session_->display().run_panel_open);
}

void TVessaroMain::FitRows() {
  // Every row above the horizontal scroll bar: rows get lower as the grid grows a row, down to a
  // height that still reads; only beyond that does the grid scroll up and down.
  const int rows = std::max(1, grid_->rowCount());
  const int room = grid_->height() - 2 * grid_->frameWidth() - grid_->horizontalScrollBar()->sizeHint().height();
  grid_->verticalHeader()->setDefaultSectionSize(std::clamp(room / rows, kMinimumRow, kCell));
}

void TVessaroMain::AnimatePanelHeight() {
  const PanelPlacement placement = Placement();
  if (run_panel_->y() != placement.panel_top) {
    run_panel_->move(0, placement.panel_top);
    run_panel_->raise();
  }
  if (height() == placement.height) {
    panel_timer_.stop();
  } else {
    setFixedSize(kWidth, height() + (placement.height > height() ? 1 : -1));
  }
  // Growing downwards past the screen's edge would hide the panel's commands: move up instead.
  if (isWindow() && frameGeometry().top() > placement.frame_top) move(pos().x(), placement.frame_top);
}

bool TVessaroMain::RunRuleDialog(bool forced) {
  TRuleDlgForm dialog(program_folder_, session_->mutable_settings(), *ports_.dialogs, forced, this);
  return dialog.exec() == QDialog::Accepted;
}

void TVessaroMain::BtnDealClick() { Guarded([&] { session_->Deal(); }); }
void TVessaroMain::BtnRebetClick() { Guarded([&] { session_->RebetCommand(); }); }
void TVessaroMain::BtnClearClick() { Guarded([&] { session_->ClearBetsCommand(); }); }
void TVessaroMain::BtnAllClearClick() { Guarded([&] { session_->AllClear(); }); }
void TVessaroMain::MenuRuleClick() { Guarded([&] { session_->ApplyRuleSettings(); }); }
void TVessaroMain::SettingsToggleClick() { session_->ToggleSettingsMenu(); }
void TVessaroMain::PanelToggleClick() { session_->ToggleRunPanel(); }

void TVessaroMain::MenuManualClick() {
  session_->HideSettingsMenu();
  if (session_->automatic_run()) return;
  if (auto message = OpenWithAssociation(*ports_.shell, (program_folder_ / "Manual.pdf").string()))
    ports_.dialogs->ShowMessage(*message, MessageKind::kWarning);
}

void TVessaroMain::ScreenshotClick() {
  const QPixmap shot = grab();
  FileFilter filter;
  filter.title = "出力先を選択してください。";
  filter.filter = "JPG FILE(*.jpg)|*.jpg|ALL FILE(*.*)|*.*";
  filter.initial = program_folder_.string();
  filter.default_extension = "JPG";
  auto file = ports_.dialogs->ChooseSaveFile(filter);
  if (!file) return;
  if (!shot.save(QString::fromStdString(*file), "JPG"))
    ports_.dialogs->ShowMessage("スクリーンショットを保存できませんでした。", MessageKind::kError);
}

void TVessaroMain::OpenSystemEditor() { TBetSysPatternForm(program_folder_, nullptr, this).exec(); }
void TVessaroMain::OpenPatternEditor() { TBetPatternForm(program_folder_, nullptr, this).exec(); }

void TVessaroMain::BalanceSheetClick() {
  if (session_->automatic_run()) return;
  if (!session_->ProbeWritable()) return;
  if (ports_.open_window) {
    ports_.open_window("balance-sheet", "", 0);
    return;
  }
  TRecordBalanceForm(program_folder_, {}, this).exec();
}

void TVessaroMain::BtnStopClick() {
  if (!driver_->running()) return;
  if (ports_.dialogs->AskYesNo(table_texts::kStopQuestion)) driver_->RequestStop();
}

RunRequest TVessaroMain::MakeRunRequest(RunKind kind) const {
  RunRequest request;
  request.kind = kind;
  // The first entry of each list is its prompt: nothing chosen.
  if (system_combo_->currentIndex() > 0) request.system_name = FromQt(system_combo_->currentText());
  if (pattern_combo_->currentIndex() > 0) request.pattern_name = FromQt(pattern_combo_->currentText());
  request.trials_text = FromQt(trials_edit_->text());
  request.log_field = session_->display().log_file;
  request.limits = limits_;
  return request;
}

void TVessaroMain::StartRun(RunKind kind) {
  if (driver_->running() || session_->dealing()) return;
  Guarded([&] {
    if (kind == RunKind::kGui) {
      SessionRunTable table(*session_);
      if (driver_->Run(MakeRunRequest(kind), table, *this).started) graph_rounds_ = driver_->last_run_rounds();
    } else {
      EngineRunTable table(program_folder_, session_->settings(), *ports_.clock,
                           static_cast<uint64_t>(MillisecondsOfDay(ports_.clock->UtcNow())), session_.get());
      if (driver_->Run(MakeRunRequest(kind), table, *this).started) graph_rounds_ = driver_->last_run_rounds();
    }
  });
  Refresh();
  if (close_pending_) close();
}

void TVessaroMain::BtnAutoGuiClick() { StartRun(RunKind::kGui); }
void TVessaroMain::BtnAutoOnlyClick() { StartRun(RunKind::kProcessingOnly); }

bool TVessaroMain::Idle() const { return !driver_->running() && !session_->dealing(); }

void TVessaroMain::BtnStopConditionClick() {
  if (!Idle()) return;
  TStopJyokenForm dialog(limits_, *ports_.dialogs, this);
  if (dialog.exec() == QDialog::Accepted) limits_ = dialog.limits();
}

void TVessaroMain::BtnBrowseLogClick() {
  if (!Idle()) return;
  FileFilter filter;
  filter.title = "ファイルを選択してください。";
  filter.filter = MakeFileFilter("*.TXT");
  filter.initial = (program_folder_ / "log").string();
  if (auto file = ports_.dialogs->ChooseOpenFile(filter)) {
    session_->mutable_display().log_file = *file;
    Refresh();
  }
}

void TVessaroMain::BtnViewLogClick() {
  if (!Idle()) return;
  const std::string& log = session_->display().log_file;
  if (!FileExists(log)) {
    ports_.dialogs->ShowMessage(
        "ログファイルが存在しません\r\nオート実行を行うか参照ボタンより過去ログを選択してください",
        MessageKind::kWarning);
    return;
  }
  if (ports_.open_window) {
    ports_.open_window("log", log, 0);
    return;
  }
  TLogViewForm viewer(program_folder_, log, nullptr, this);
  viewer.exec();
}

void TVessaroMain::BtnGraphClick() {
  if (!Idle()) return;
  ShowGraph(fs::path(), graph_rounds_);
}

void TVessaroMain::ShowGraph(const fs::path& graph_file, int64_t rounds) {
  graph_rounds_ = rounds;
  if (ports_.open_window) {
    ports_.open_window("graph", graph_file.string(), rounds);
    return;
  }
  TGraphForm graph(program_folder_, graph_file, rounds, nullptr, detail_form_, this);
  graph.exec();
}

void TVessaroMain::OnLogFile(const fs::path& auto_log) {
  session_->mutable_display().log_file = auto_log.string();
  log_edit_->setText(ToQt(auto_log.string()));
}

void TVessaroMain::OnRunStarted(RunKind kind) {
  if (kind != RunKind::kProcessingOnly) return;
  progress_bar_->setValue(0);
  progress_label_->clear();
  progress_panel_->show();
  progress_panel_->raise();
}

void TVessaroMain::OnProgress(int64_t done, int64_t total) {
  progress_label_->setText(QString::fromUtf8(Format(run_texts::kProgress, static_cast<int>(done),
                                                    static_cast<int>(total)).c_str()));
  progress_bar_->setMaximum(1000);
  progress_bar_->setValue(total > 0 ? static_cast<int>(done * 1000 / total) : 0);
}

void TVessaroMain::OnRunFinishing(RunKind) {
  progress_panel_->hide();
  Refresh();
}

void TVessaroMain::BtnAddSystemClick() {
  if (!Idle()) return;
  if (ports_.open_window) {
    ports_.open_window("system-editor", "", 0);
  } else {
    OpenSystemEditor();
  }
  session_->RefillRunLists();
  Refresh();
}

void TVessaroMain::BtnAddPatternClick() {
  if (!Idle()) return;
  if (ports_.open_window) {
    ports_.open_window("pattern-editor", "", 0);
  } else {
    OpenPatternEditor();
  }
  session_->RefillRunLists();
  Refresh();
}

void TVessaroMain::BtnStudyClick() {
  if (!Idle()) return;
  const std::string system = FromQt(system_combo_->currentText());
  const std::string pattern = FromQt(pattern_combo_->currentText());
  if (ports_.open_window) {
    ports_.open_window("study", system + "|" + pattern, 0);
    return;
  }
  TStudyForm study(program_folder_, session_->settings(), limits_, system, pattern, nullptr, ports_.clock, this);
  study.exec();
}

void TVessaroMain::VolumeClick() {
  session_->HideSettingsMenu();
  if (!Idle()) return;
  if (ports_.open_window) {
    ports_.open_window("sound-settings", "", 0);
    return;
  }
  TSoundSettingForm form(*sound_, *ports_.dialogs, this);
  form.exec();
}

void TVessaroMain::AnimateCard(CardPlace place) {
  // Nothing to watch on a window that is not on the screen.
  if (!ports_.animate_cards || !isVisible()) return;
  const CardSlot& slot = session_->display().cards[place];
  const bool sideways = place == kPlayer3 || place == kBanker3;
  const QPixmap back = sideways ? TablePictures::Sideways(pictures_.Back()) : pictures_.Back();
  const QPixmap face = sideways ? TablePictures::Sideways(pictures_.Face(slot.card)) : pictures_.Face(slot.card);
  QLabel* label = card_labels_[place];
  label->setPixmap(back);
  const QRect target = CardRect(place);
  SlideCard(label, kShoePoint.x(), kShoePoint.y(), target.x(), target.y());
  FlipCard(label, face, back);
}

void TVessaroMain::Placeholder(const QString& what) {
  session_->HideSettingsMenu();
  ports_.dialogs->ShowMessage(FromQt(what + QStringLiteral("は準備中です。")), MessageKind::kInformation);
}

void TVessaroMain::closeEvent(QCloseEvent* event) {
  // A round or a run is on the stack below the pauses: close once it has finished.
  if (session_->dealing() || driver_->running()) {
    close_pending_ = true;
    driver_->RequestStop();
    event->ignore();
    QTimer::singleShot(50, this, [this] {
      if (close_pending_) close();
    });
    return;
  }
  close_pending_ = false;
  Guarded([&] { session_->SaveOnClose(); });
  event->accept();
}

void TVessaroMain::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TVessaroMain::dropEvent(QDropEvent* event) {
  if (session_->automatic_run()) return;
  if (QLineEdit* field = DropToField(this, {{QStringLiteral("LogFileEdit"), DropKind::kFile}}, event,
                                     *ports_.dialogs)) {
    session_->mutable_display().log_file = FromQt(field->text());
  }
}

}  // namespace vessaro
