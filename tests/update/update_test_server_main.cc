// The test server as a program: serves a folder laid out as a maker hosts the updates
// (docs/updates.md) on 127.0.0.1, answers a bounded number of requests and ends.
// Usage: update_test_server FOLDER [--port N] [--requests N] [--seconds S]
#include <QCoreApplication>
#include <QTimer>
#include <iostream>
#include <string>

#include "common/text.h"
#include "update/test_server.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc < 2 || std::string(argv[1]) == "--help") {
    std::cerr << "usage: update_test_server FOLDER [--port N] [--requests N] [--seconds S]\n";
    return 2;
  }
  int port = 0;
  int requests = 200;
  int seconds = 600;
  for (int i = 2; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    const int value = static_cast<int>(vessaro::ToIntDef(argv[i + 1], -1));
    if (value < 0 || (option != "--port" && option != "--requests" && option != "--seconds")) {
      std::cerr << "bad option " << option << "\n";
      return 2;
    }
    (option == "--port" ? port : option == "--requests" ? requests : seconds) = value;
  }
  vessaro::testing::TestUpdateServer server(requests, false, port);
  if (server.port() == 0) {
    std::cerr << "cannot listen on port " << port << "\n";
    return 2;
  }
  server.ServeFolder(argv[1]);
  std::cout << server.root() << std::endl;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &app, [&] {
    if (server.Exhausted()) QCoreApplication::quit();
  });
  poll.start(100);
  QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
  app.exec();
  for (const auto& r : server.requests()) std::cout << r.method << " " << r.target << "\n";
  return 0;
}
