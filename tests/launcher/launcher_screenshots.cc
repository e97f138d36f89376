// Pictures of the update windows (docs/updates.md): the launcher during an update against the
// test server, an announcement, the simulator's splash "Kindlet", "アップデート情報" and its help.
// Usage: launcher_screenshots PROGRAM_FOLDER OUTPUT_FOLDER
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QEventLoop>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <iostream>

#include "common/cp932.h"
#include "launcher/casino_popup_form.h"
#include "launcher/kindlet_form.h"
#include "launcher/update_info_form.h"
#include "launcher/update_splash_form.h"
#include "support/fakes.h"
#include "support/temp_folder.h"
#include "ui/common/window_helpers.h"
#include "update/qt_http_client.h"
#include "update/test_server.h"

namespace {

using namespace vessaro;
using namespace vessaro::testing;

// An announcement picture as a maker would draw one.
std::string AnnouncementJpeg() {
  QImage image(520, 340, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(0, 0, 0, image.height());
  g.setColorAt(0, QColor(0x2a, 0x1c, 0x08));
  g.setColorAt(1, QColor(0x0b, 0x4a, 0x28));
  p.fillRect(image.rect(), g);
  p.setPen(QPen(QColor(0xE8, 0xC5, 0x6A), 4));
  p.drawRect(image.rect().adjusted(8, 8, -9, -9));
  QFont f = QApplication::font();
  f.setPointSize(26);
  f.setBold(true);
  p.setFont(f);
  p.setPen(QColor(0xF3, 0xD9, 0x8B));
  p.drawText(QRect(0, 40, image.width(), 50), Qt::AlignCenter, QStringLiteral("お知らせ"));
  f.setPointSize(14);
  p.setFont(f);
  p.setPen(Qt::white);
  p.drawText(QRect(30, 110, image.width() - 60, 150), Qt::AlignCenter | Qt::TextWordWrap,
             QStringLiteral("バージョン 1.2 を公開しました。\n収支表の検索が速くなり、\nアップデート情報の画面を追加しました。"));
  p.end();
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "JPG", 92);
  return bytes.toStdString();
}

void Save(QWidget* w, const QDir& out, const char* name) {
  const QString file = out.filePath(QString::fromUtf8(name));
  if (!w->grab().save(file)) {
    std::cerr << "cannot write " << file.toStdString() << "\n";
    return;
  }
  std::cout << file.toStdString() << "\n";
}

void CopyPicture(const fs::path& from, const fs::path& to, const char* name) {
  std::error_code ec;
  fs::create_directories(to / "image", ec);
  fs::copy_file(from / "image" / name, to / "image" / name, fs::copy_options::overwrite_existing, ec);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  SetUpJapaneseApplication();
  if (argc < 3) {
    std::cerr << "usage: launcher_screenshots PROGRAM_FOLDER OUTPUT_FOLDER\n";
    return 2;
  }
  const fs::path program = argv[1];
  QDir out(QString::fromLocal8Bit(argv[2]));
  out.mkpath(QStringLiteral("."));

  TempFolder folder;
  CopyPicture(program, folder.path(), "card.bmp");
  CopyPicture(program, folder.path(), "S1.bmp");

  TestUpdateServer server(100);
  for (const char* name : {"Vessaro", "Manual.pdf", "image/card.bmp", "image/chip100.bmp", "sound/nomal/win.mp3"})
    server.AddUpdateFile("baccarat", name, std::string(200000, 'x'), "202401051230");
  server.SetReply("/popup/popuplist.txt", Reply{200, "popup1=news.jpg\r\n"});
  server.SetReply("/popup/news.jpg", Reply{200, AnnouncementJpeg()});
  folder.Write("System/Update.ini", "[update]\r\nroot=" + server.root() + "\r\n");

  QtHttpClient http(20000);
  FakeEventPump pump;
  FakeDialogs dialogs;
  FakeProcessList processes;
  FakeShell shell;
  FakeClock clock;
  KindletPorts ports;
  ports.dialogs = &dialogs;
  ports.pump = &pump;
  ports.clock = &clock;
  ports.processes = &processes;
  ports.shell = &shell;
  ports.http = &http;
  TKindletForm* launcher = nullptr;
  bool launcher_taken = false;
  // Mid-way through the update, after the third file.
  pump.on_process = [&] {
    if (launcher != nullptr && !launcher_taken && launcher->progress_bar()->value() == 3) {
      launcher_taken = true;
      Save(launcher, out, "launcher-updating.png");
    }
  };
  ports.show_announcement = [&](const fs::path& picture) {
    TCasinoPopupForm popup(picture, launcher);
    popup.show();
    QApplication::processEvents();
    Save(&popup, out, "announcement.png");
  };
  TKindletForm form(folder.path(), ports);
  launcher = &form;
  // The window runs on its first paint, as when the user starts it.
  QEventLoop until_done;
  QObject::connect(&form, &TKindletForm::finished, &until_done, &QEventLoop::quit);
  form.show();
  until_done.exec();

  TUpdateSplashForm splash(folder.path());
  splash.Show();
  splash.SetMaximum(1);
  splash.SetPosition(0);
  QApplication::processEvents();
  Save(&splash, out, "splash.png");
  splash.Close();

  folder.Write("releasenote.txt",
               *EncodeCp932("2024/01/05 バージョン 1.2\r\n"
                            "・収支表の検索を速くしました。\r\n"
                            "・アップデート情報の画面を追加しました。\r\n\r\n"
                            "2023/11/20 バージョン 1.1\r\n"
                            "・オート実行の停止条件を追加しました。\r\n"
                            "・ベットパターンの特殊パターンに出現パターンを追加しました。\r\n"));
  UpdateInfoPorts info_ports;
  info_ports.dialogs = &dialogs;
  info_ports.pump = &pump;
  info_ports.clock = &clock;
  info_ports.http = &http;
  TUpdateInfoForm info(folder.path(), info_ports);
  info.show();
  QApplication::processEvents();
  Save(&info, out, "update-info.png");

  TAdminHelpForm help(UpdateConfig{}, dialogs, [](const std::string&) {}, &info);
  help.show();
  QApplication::processEvents();
  Save(&help, out, "admin-help.png");
  return launcher_taken ? 0 : 1;
}
