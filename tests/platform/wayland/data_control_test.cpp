// The Wayland clipboard and bell against a compositor of the test's own:
// which manager is bound, the selection the holder sets and what it writes
// for each type asked, what the reader takes back, and the bell. sway and
// KWin offer only wlr-data-control and no bell; the ext protocol and the bell
// are tried here alone.
#include <sys/wait.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "fake_compositor.h"
#include "platform/wayland/clipboard_formats.h"
#include "platform/wayland/clipboard_holder.h"
#include "platform/wayland/clipboard_reader.h"
#include "platform/wayland/selection_server.h"
#include "platform/wayland/wayland_connection.h"
#include "platform/wayland/wayland_session.h"

namespace tagsmit::wayland {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using testing::FakeCompositor;
using Protocol = DataControl::Protocol;

FakeCompositor::Setup Offering(bool ext, bool wlr, bool bell = false) {
  FakeCompositor::Setup setup;
  setup.ext = ext;
  setup.wlr = wlr;
  setup.bell = bell;
  return setup;
}

std::unique_ptr<Connection> Connect() {
  Result<std::unique_ptr<Connection>> opened = Connection::Open();
  if (!opened.ok()) ADD_FAILURE() << opened.error();
  return opened.ok() ? std::move(opened).value() : nullptr;
}

std::string ReadAll(int fd) {
  std::string text;
  char buffer[256];
  ssize_t got;
  while ((got = read(fd, buffer, sizeof buffer)) > 0)
    text.append(buffer, static_cast<std::size_t>(got));
  return text;
}

// Ext where offered, else wlr.
TEST(DataControlTest, ExtIsBoundWhereOfferedElseWlr) {
  for (const auto& [ext, wlr, bound] :
       {std::tuple{true, true, Protocol::kExt}, std::tuple{false, true, Protocol::kWlr}}) {
    FakeCompositor compositor(Offering(ext, wlr));
    {
      std::unique_ptr<Connection> connection = Connect();
      ASSERT_TRUE(connection->OffersDataControl());
      const std::unique_ptr<DataControl> control = connection->BindDataControl();
      ASSERT_TRUE(connection->RoundTrip().ok());
    }
    EXPECT_THAT(compositor.Stop().bound, ElementsAre(bound));
  }
}

class SelectionTest : public ::testing::TestWithParam<Protocol> {
 protected:
  FakeCompositor::Setup OfferingParam() const {
    return Offering(GetParam() == Protocol::kExt, GetParam() == Protocol::kWlr);
  }
};

// The holder offers its five types, writes each asked type's form (nothing
// for a type it never offered) and ends once the selection is cancelled. It
// destroys each offer once a newer one replaces it, as the protocols ask:
// here 50 primary selections and the offer of its own selection.
TEST_P(SelectionTest, HolderAnswersEveryReadUntilCancelled) {
  FakeCompositor::Setup setup = OfferingParam();
  setup.reads = {"text/plain;charset=utf-8", "STRING", "image/png", "TEXT"};
  setup.primary_changes = 50;
  FakeCompositor compositor(setup);
  {
    std::unique_ptr<Connection> connection = Connect();
    SelectionServer server("café <IMG>");
    const std::unique_ptr<DataControl> control = connection->BindDataControl();
    control->SetSelection(kOfferedMimeTypes, server);
    ASSERT_TRUE(connection->RoundTrip().ok());
    server.Serve(connection.get());
    EXPECT_TRUE(server.replaced());
    ASSERT_TRUE(connection->RoundTrip().ok());  // the last requests reach the compositor
  }
  const FakeCompositor::Record& record = compositor.Stop();
  EXPECT_EQ(record.offers_destroyed, 51);
  EXPECT_THAT(record.offered, ElementsAreArray(kOfferedMimeTypes));
  std::vector<std::string> written;
  for (int fd : record.answers) written.push_back(ReadAll(fd));
  EXPECT_THAT(written, ElementsAre("café <IMG>", "caf\xE9 <IMG>", "", "café <IMG>"));
}

// A newer selection that replaces ours in the same read as the answer to the
// round trip is no failure: the text was the clipboard's (the reader that
// asked meanwhile gets all of it), and no holder is left behind for it.
TEST_P(SelectionTest, ReplacedDuringTheRoundTripIsSet) {
  FakeCompositor::Setup setup = OfferingParam();
  setup.reads = {"text/plain;charset=utf-8"};
  FakeCompositor compositor(setup);
  {
    std::unique_ptr<Connection> connection = Connect();
    const Status put = StartClipboardHolder(*connection, "<IMG SRC=\"a.gif\">");
    EXPECT_TRUE(put.ok()) << put.error();
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1) << "a holder process was started";
  }
  const FakeCompositor::Record& record = compositor.Stop();
  ASSERT_EQ(record.answers.size(), 1u);
  EXPECT_EQ(ReadAll(record.answers[0]), "<IMG SRC=\"a.gif\">");
}

// The reader asks for UTF-8 text whatever the order of the offered types.
TEST_P(SelectionTest, ReaderTakesTheClipboardAsUtf8Text) {
  struct Case {
    std::optional<std::vector<std::string>> clipboard;
    std::string read;
  };
  const Case cases[] = {
      {std::vector<std::string>{"STRING", "text/plain", "text/plain;charset=utf-8"},
       "clipboard as text/plain;charset=utf-8"},
      {std::vector<std::string>{"image/png"}, "the clipboard holds no text"},
      {std::nullopt, "the clipboard is empty"},
  };
  for (const Case& c : cases) {
    FakeCompositor::Setup setup = OfferingParam();
    setup.clipboard = c.clipboard;
    FakeCompositor compositor(setup);
    std::unique_ptr<Connection> connection = Connect();
    const Result<std::string> read = ReadClipboard(*connection);
    EXPECT_EQ(read.ok() ? read.value() : read.error(), c.read);
  }
}

INSTANTIATE_TEST_SUITE_P(BothProtocols, SelectionTest,
                         ::testing::Values(Protocol::kExt, Protocol::kWlr));

// Without data-control (GNOME's Mutter) the session refuses the text, so
// that the X11 clipboard takes it; the bell rings only where offered.
TEST(WaylandSessionTest, NoDataControlAndTheBell) {
  FakeCompositor compositor(Offering(false, false, true));
  Session session;
  EXPECT_EQ(session.SetClipboardText("<IMG>").error(),
            "the Wayland compositor offers no data-control manager for the clipboard");
  EXPECT_TRUE(session.RingBell());
  EXPECT_EQ(compositor.Stop().rings, 1);

  FakeCompositor without_bell(Offering(false, true));
  EXPECT_FALSE(Session().RingBell());
}

}  // namespace
}  // namespace tagsmit::wayland
