// The table window's first display runs the launcher update and hands over when it changed.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "../ui/program_folder_fixture.h"
#include "ui/table/vessaro_main.h"
#include "update/start_update.h"
#include "update/update_fixture.h"

namespace vessaro::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(TableHandOverTest, AnUpdatedLauncherTakesOverBeforeTheTableStarts) {
  UpdateRig rig;
  rig.server.AddUpdateFile("baccarat", "Kindlet", "launcher", "202401051230");
  ProgramFolder folder;
  folder.Write("System/Update.ini", "[update]\r\nroot=" + rig.server.root() + "\r\n");
  FakeDialogs dialogs;
  FakeShell shell;
  MainWindowPorts ports;
  ports.dialogs = &dialogs;
  ports.pump = &rig.pump;
  ports.clock = &rig.clock;
  ports.shell = &shell;

  {
    TVessaroMain window(folder.path(), ports);
    EXPECT_FALSE(window.FirstDisplay());  // the program ends
    EXPECT_THAT(dialogs.messages, ElementsAre(start_texts::kLauncherUpdated));
    EXPECT_THAT(shell.started, ElementsAre((folder / "Kindlet").string()));
    EXPECT_EQ(window.log_edit()->text(), QString());  // the table's own start-up did not run
  }
  // Started again by the launcher: the launcher is current, the table starts.
  TVessaroMain window(folder.path(), ports);
  EXPECT_TRUE(window.FirstDisplay());
  EXPECT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(shell.started.size(), 1u);
  EXPECT_NE(window.log_edit()->text(), QString());
}

TEST(TableHandOverTest, WithoutAServerTheTableStartsWithoutAMessage) {
  ProgramFolder folder;
  FakeDialogs dialogs;
  FakeShell shell;
  FakeEventPump pump;
  FakeClock clock;
  MainWindowPorts ports;
  ports.dialogs = &dialogs;
  ports.pump = &pump;
  ports.clock = &clock;
  ports.shell = &shell;
  TVessaroMain window(folder.path(), ports);
  EXPECT_TRUE(window.FirstDisplay());
  EXPECT_THAT(dialogs.messages, IsEmpty());
  EXPECT_THAT(shell.started, IsEmpty());
  EXPECT_NE(window.log_edit()->text(), QString());
}

}  // namespace
}  // namespace vessaro::testing
