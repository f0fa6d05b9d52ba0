// The server's class factory and objects on a private session bus, with
// recording drawings behind them; the host side is the D-Bus proxy.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <utility>

#include "server/automation_error.h"
#include "server/types.h"
#include "server/dbus/dbus_names.h"
#include "server/dbus/dbus_proxy.h"
#include "server/dbus/dbus_server.h"
#include "tests/support/recording_plamor.h"

using namespace plamor;
using namespace plamor::dbus;
using plamor::testing::RecordingPlamor;

namespace {

std::atomic<int> g_objects{0};
std::atomic<RecordingPlamor*> g_newest{nullptr};  // the object the server made last

class CountedRecording : public RecordingPlamor {
 public:
  CountedRecording() {
    ++g_objects;
    g_newest = this;
  }
  ~CountedRecording() override { --g_objects; }
};

// Runs the server with its own bus connection and event loop.
class ServerThread : public QThread {
 protected:
  void run() override {
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "server");
    PlamorServer server(bus, [](prompts::Prompter*) { return std::make_unique<CountedRecording>(); }, -1);
    QString error;
    if (!server.Start(&error)) qFatal("%s", qPrintable(error));
    exec();
    bus.unregisterService(kBusName);
  }
};

ServerThread* g_server = nullptr;

void WaitUntil(const std::function<bool()>& done) {
  for (int i = 0; i < 500 && !done(); ++i) {
    QCoreApplication::processEvents();
    QThread::msleep(10);
  }
}

QDBusMessage CallObject(const QString& path, const QString& member, const QVariantList& args) {
  QDBusMessage m = QDBusMessage::createMethodCall(kBusName, path, kObjectInterface, member);
  m.setArguments(args);
  return QDBusConnection::sessionBus().call(m);
}

}  // namespace

TEST(DBusServer, HostCallsArriveWithTheirArgumentsAndResults) {
  std::unique_ptr<IPlamor> p = DBusPlamor::Create(QDBusConnection::sessionBus(), "TessaroPlamor.clsPlamor");
  p->put_PaperSize(ktpA3);
  p->Sen(0, 0, 100, 0, {.vPen = 2, .vStyl = "1"});
  p->Moji(10, 10, "河川横断図", ktpTate, 0, 90, {.vHeight = 5.0, .vKiten = ktpCenterBottom});
  p->put_LayerName(3, "護岸");
  EXPECT_EQ(p->get_PaperSize(), ktpA3);
  EXPECT_EQ(p->get_Count(), 2);
  EXPECT_EQ(p->get_LayerName(3), "護岸");
  EXPECT_DOUBLE_EQ(p->get_TextHeight(), 3.0);
  EXPECT_FALSE(p->get_IdolePlamorOutPut());
}

TEST(DBusServer, TwoHostsGetSeparateObjectsAndReleaseEndsThem) {
  const int before = g_objects;
  {
    auto a = DBusPlamor::Create(QDBusConnection::sessionBus(), "{501B463E-A247-11D3-B575-0090FE01B13E}");
    auto b = DBusPlamor::Create(QDBusConnection::sessionBus(), "tessaroplamor.clsplamor");
    EXPECT_NE(a->Path(), b->Path());
    static_cast<IPlamor&>(*a).Sen(0, 0, 1, 1);
    EXPECT_EQ(a->get_Count(), 1);
    EXPECT_EQ(b->get_Count(), 0);
    EXPECT_EQ(g_objects, before + 2);
  }
  WaitUntil([&] { return g_objects == before; });
  EXPECT_EQ(g_objects, before);
}

TEST(DBusServer, AHostWhoseConnectionDisappearsLeavesNoObject) {
  const int before = g_objects;
  // A host in another process creates an object and ends without releasing it.
  QProcess host;
  host.start("dbus-send", {"--session", "--print-reply", QString("--dest=") + kBusName, kFactoryPath,
                           QString(kFactoryInterface) + ".Create", "string:TessaroPlamor.clsPlamor"});
  ASSERT_TRUE(host.waitForFinished(10000));
  EXPECT_TRUE(host.readAllStandardOutput().contains(kObjectPathPrefix));
  WaitUntil([&] { return g_objects == before; });
  EXPECT_EQ(g_objects, before);
}

TEST(DBusServer, BadCallsGetNamedErrorsAndTheServerKeepsServing) {
  try {
    DBusPlamor::Create(QDBusConnection::sessionBus(), "Other.Class");
    FAIL();
  } catch (const AutomationError& e) {
    EXPECT_NE(std::string(e.what()).find("unknown class identifier"), std::string::npos);
  }
  auto p = DBusPlamor::Create(QDBusConnection::sessionBus(), kPlamorProgId);
  const QString path = p->Path();

  QDBusMessage r = CallObject(path, "Sen", {1.0, 2.0, QVariantMap()});
  EXPECT_EQ(r.errorName(), "org.freedesktop.DBus.Error.InvalidArgs");
  EXPECT_TRUE(r.errorMessage().contains("dddda{sv}"));
  r = CallObject(path, "Senn", {});
  EXPECT_EQ(r.errorName(), "org.freedesktop.DBus.Error.UnknownMethod");
  QVariantMap options{{"vColour", 2}};
  r = CallObject(path, "Sen", {1.0, 2.0, 3.0, 4.0, options});
  EXPECT_EQ(r.errorName(), "TessaroPlamor.Error.NamedArgumentNotFound");
  r = CallObject(path, "put_Layer", {QVariant::fromValue<short>(3)});
  EXPECT_EQ(r.type(), QDBusMessage::ReplyMessage);

  // Another host cannot use this host's object.
  QDBusConnection other = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "other-host");
  QDBusMessage m = QDBusMessage::createMethodCall(kBusName, path, kObjectInterface, "get_Count");
  EXPECT_EQ(other.call(m).errorName(), "org.freedesktop.DBus.Error.AccessDenied");
  QDBusConnection::disconnectFromBus("other-host");

  static_cast<IPlamor&>(*p).Sen(0, 0, 1, 1);
  EXPECT_EQ(p->get_Count(), 1);
}

TEST(DBusServer, IntrospectionListsTheMembersInInterfaceOrder) {
  auto p = DBusPlamor::Create(QDBusConnection::sessionBus(), kPlamorProgId);
  QDBusMessage m = QDBusMessage::createMethodCall(kBusName, p->Path(), "org.freedesktop.DBus.Introspectable", "Introspect");
  QString xml = QDBusConnection::sessionBus().call(m).arguments().value(0).toString();
  const char* order[] = {"put_Optimaze", "get_Optimaze", "put_AutoSize", "get_Count", "put_PaperSize",
                         "\"En\"", "\"Enko\"", "\"Daen\"", "\"Daenko\"", "\"Sen\"", "\"Moji\"", "\"Clear\"",
                         "OpenFileNameDlg", "put_HouiAngle", "MojiExtMsM", "MojiExtMsG", "put_DXFOnly",
                         "put_LayerName", "get_LayerName"};
  qsizetype at = -1;
  for (const char* name : order) {
    qsizetype next = xml.indexOf(name);
    EXPECT_GT(next, at) << name;
    at = next;
  }
  EXPECT_TRUE(xml.contains("{501B463E-A247-11D3-B575-0090FE01B13E}"));
  EXPECT_TRUE(xml.contains("vPen,vStyl,vPich,vLayer"));
}

TEST(DBusServer, HostsLearnHowTheRunEndedByAskingAndBySignal) {
  std::unique_ptr<IPlamor> p = DBusPlamor::Create(QDBusConnection::sessionBus(), "TessaroPlamor.clsPlamor");
  RecordingPlamor* served = g_newest;
  EXPECT_EQ(p->get_RunResult(), RunResult{});  // no run yet
  served->runResult = {RunState::kFailed, "", "ディスクの空き容量が不足しています。"};
  EXPECT_EQ(p->get_RunResult(), served->runResult);

  std::vector<RunResult> heard;
  p->OnRunEnded([&heard](const RunResult& r) { heard.push_back(r); });
  ASSERT_TRUE(served->runEnded);  // the server listens to every object it makes
  const RunResult written{RunState::kWritten, "/drawings/河川.dxf", ""};
  served->runEnded(written);
  for (int i = 0; i < 50 && heard.empty(); ++i) p->AwaitRunEvent();  // wakes for the signal, no timer
  ASSERT_EQ(heard.size(), 1u);
  EXPECT_EQ(heard[0], written);

  // A RunEnded that came while a call waited for its reply was served by that
  // call; the host's next wait returns at once instead of sleeping for
  // another that may never come (the guard timer only stops a hang here).
  served->runEnded(written);
  p->get_Count();  // the server sent the signal before this reply
  ASSERT_EQ(heard.size(), 2u);
  QElapsedTimer waited;
  waited.start();
  QTimer::singleShot(20000, [] {});
  p->AwaitRunEvent();
  EXPECT_LT(waited.elapsed(), 10000);

  QDBusMessage m = QDBusMessage::createMethodCall(kBusName, static_cast<DBusPlamor&>(*p).Path(),
                                                  "org.freedesktop.DBus.Introspectable", "Introspect");
  const QString xml = QDBusConnection::sessionBus().call(m).arguments().value(0).toString();
  const qsizetype getter = xml.indexOf("\"get_RunResult\"");
  EXPECT_GT(getter, xml.indexOf("\"get_LayerName\""));  // appended after the existing members
  EXPECT_TRUE(xml.contains("<arg name=\"state\" type=\"i\" direction=\"out\"/>\n"
                           "      <arg name=\"path\" type=\"s\" direction=\"out\"/>\n"
                           "      <arg name=\"message\" type=\"s\" direction=\"out\"/>"));
  EXPECT_GT(xml.indexOf("<signal name=\"RunEnded\">"), getter);
}

// The names of the server's errors on D-Bus, both ways.
TEST(ErrorNames, EveryNamedErrorReadsBackAsItsNumber) {
  const std::pair<int, const char*> named[] = {
      {5, "TessaroPlamor.Error.InvalidArgument"},
      {6, "TessaroPlamor.Error.Overflow"},
      {9, "TessaroPlamor.Error.SubscriptOutOfRange"},
      {13, "TessaroPlamor.Error.TypeMismatch"},
      {448, "TessaroPlamor.Error.NamedArgumentNotFound"},
      {449, "TessaroPlamor.Error.ArgumentNotOptional"},
      {450, "TessaroPlamor.Error.WrongNumberOfArguments"},
      {1001, "TessaroPlamor.Error.Busy"},
      {1002, "TessaroPlamor.Error.UnknownObject"},
      {1003, "TessaroPlamor.Error.UnknownClass"},
      {51, "TessaroPlamor.Error.Failed"},
  };
  for (const auto& [number, name] : named) {
    EXPECT_EQ(ErrorName(number), name);
    EXPECT_EQ(ErrorNumber(name), number) << name;
  }
  for (int number : {0, 7, 11, 48, 61, 429, 462, 31036}) {
    EXPECT_EQ(ErrorName(number), "TessaroPlamor.Error.Failed") << number;
  }
  EXPECT_EQ(ErrorNumber("org.freedesktop.DBus.Error.InvalidArgs"), 0);
  EXPECT_EQ(ErrorNumber("TessaroPlamor.Error."), 0);
}

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  g_server = new ServerThread;
  g_server->start();
  WaitUntil([] { return QDBusConnection::sessionBus().interface()->isServiceRegistered(kBusName).value(); });
  int rc = RUN_ALL_TESTS();
  g_server->quit();
  g_server->wait();
  delete g_server;
  return rc;
}
