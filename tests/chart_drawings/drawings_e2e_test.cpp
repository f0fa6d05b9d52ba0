// The cross-section and H-Q drawings of the chart controls, written as DXF
// by the real drawing server on this test's own session bus. The server runs
// in batch mode: its save-file dialog takes the file this test hands it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <signal.h>

#include <chrono>
#include <cmath>
#include <map>
#include <thread>

#include "charts/danmen.h"
#include "charts/tbunpu.h"
#include "platform/prompts_batch.h"
#include "platform/settings_store.h"
#include "server/automation_error.h"
#include "server/dbus/dbus_names.h"
#include "server/dbus/dbus_proxy.h"
#include "server/dbus/object_prompter.h"
#include "tests/charts/drawing_server_fixture.h"
#include "tests/charts/observation_lines.h"
#include "tests/charts/three_observations.h"
#include "tests/support/qt_app.h"

namespace plamor::charts {
namespace {

// The file as ezdxf reads it; its texts are in the system's code page.
QJsonObject ReadBack(const QString& dxf) {
  QProcess p;
  p.start("/usr/bin/python3", {PLAMOR_SOURCE_DIR "/tests/server/ezdxf_check.py", dxf, "cp932"});
  p.waitForFinished(60000);
  EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
  return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
}

void Picture(const QString& dxf, const QString& name) {
  QDir().mkpath(PLAMOR_PICTURE_DIR);
  QProcess p;
  p.start("/usr/bin/python3", {PLAMOR_SOURCE_DIR "/tests/chart_drawings/dxf_picture.py", dxf,
                               QString(PLAMOR_PICTURE_DIR) + "/" + name});
  p.waitForFinished(60000);
  EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
}

// Entities a recorded drawing makes: lines, circles and the texts that are not empty.
std::map<std::string, int> RecordedCounts(const std::vector<std::string>& calls) {
  std::map<std::string, int> counts;
  for (const std::string& c : calls) {
    if (c.rfind("Sen ", 0) == 0) ++counts["LINE"];
    if (c.rfind("En ", 0) == 0) ++counts["CIRCLE"];
    if ((c.rfind("Moji ", 0) == 0 || c.rfind("MojiExtMsM ", 0) == 0) && c.find(", \"\", ") == std::string::npos)
      ++counts["TEXT"];
  }
  return counts;
}

std::map<std::string, int> FileCounts(const QJsonObject& file) {
  std::map<std::string, int> counts;
  for (const auto& e : file["entities"].toArray()) ++counts[e.toObject()["type"].toString().toStdString()];
  return counts;
}

bool Near(const QJsonValue& point, double x, double y) {
  const QJsonArray p = point.toArray();
  return std::abs(p[0].toDouble() - x) < 1e-6 && std::abs(p[1].toDouble() - y) < 1e-6;
}

// The entity of the file that matches, or an empty object.
template <typename Match>
QJsonObject Find(const QJsonObject& file, Match match) {
  for (const auto& e : file["entities"].toArray())
    if (match(e.toObject())) return e.toObject();
  return {};
}

QJsonObject FindLine(const QJsonObject& file, double x1, double y1, double x2, double y2) {
  return Find(file, [&](const QJsonObject& e) {
    return e["type"] == "LINE" && Near(e["start"], x1, y1) && Near(e["end"], x2, y2);
  });
}

QJsonObject FindText(const QJsonObject& file, const QString& text) {
  return Find(file, [&](const QJsonObject& e) { return e["type"] == "TEXT" && e["text"] == text; });
}

class ChartDrawingsEndToEnd : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { plamor::testing::App(); }

  void SetUp() override {
    if (!QDBusConnection::sessionBus().isConnected()) GTEST_SKIP() << "no session bus (run under dbus-run-session)";
    ASSERT_TRUE(folder_.isValid());
    qputenv("XDG_CONFIG_HOME", folder_.filePath("config").toUtf8());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    server_.setProcessEnvironment(env);
    server_.setProcessChannelMode(QProcess::ForwardedChannels);
    StartServer();
  }

  void StartServer() {
    server_.start(PLAMOR_BIN_DIR "/plamor", {"--dbus", "--batch", "--idle-timeout", "-1"});
    ASSERT_TRUE(server_.waitForStarted(10000));
    auto* bus = QDBusConnection::sessionBus().interface();
    for (int i = 0; i < 400 && !bus->isServiceRegistered(dbus::kBusName); ++i) QThread::msleep(25);
    ASSERT_TRUE(bus->isServiceRegistered(dbus::kBusName)) << "the server did not take its bus name";
  }

  void TearDown() override {
    host::SetPlamorFactory({});
    if (server_.state() != QProcess::NotRunning) {
      server_.terminate();
      server_.waitForFinished(10000);
    }
  }

  // Drawings over D-Bus whose save-file dialog chooses `target`.
  void WriteTo(const QString& target) {
    host::SetPlamorFactory([target](std::string_view id, host::Transport) -> std::unique_ptr<IPlamor> {
      auto drawing = dbus::DBusPlamor::Create(QDBusConnection::sessionBus(), QString::fromUtf8(id.data(), id.size()));
      QDBusMessage call = QDBusMessage::createMethodCall(dbus::kBusName, drawing->Path(),
                                                         dbus::kBatchPromptsInterface, "SetAnswers");
      call << QVariant::fromValue(QList<int>{}) << QStringList{target};
      const QDBusMessage reply = QDBusConnection::sessionBus().call(call);
      EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
      return drawing;
    });
  }

  // The calls the same drawing makes, recorded.
  void Record() {
    host::SetPlamorFactory([this](std::string_view, host::Transport) {
      return std::make_unique<charts_test::TrackedPlamor>(recorded_, 0, 0);
    });
  }

  QTemporaryDir folder_;
  QProcess server_;
  charts_test::DrawingLog recorded_;
};

// Observations 1 and 3 of three selected.
void LoadThree(Danmen& danmen) {
  charts_test::SetThreeObservations(danmen, "河川横断図", "基準高 T.P.");
  danmen.DanmenZu(1);
  danmen.DanmenZu(3);
}

TEST_F(ChartDrawingsEndToEnd, CrossSectionDrawing) {
  Danmen danmen;
  LoadThree(danmen);

  const QString target = folder_.filePath("danmen.dxf");
  WriteTo(target);
  danmen.CreatePlamor();
  ASSERT_TRUE(QFile::exists(target));
  EXPECT_EQ(danmen.LastDrawingFile(), target.toStdString()) << "the control tells which file it wrote";
  const QJsonObject file = ReadBack(target);
  EXPECT_TRUE(file["audit_errors"].toArray().isEmpty()) << QJsonDocument(file["audit_errors"].toArray()).toJson().toStdString();

  Record();
  danmen.CreatePlamor();
  EXPECT_EQ(FileCounts(file), RecordedCounts(recorded_.calls));

  EXPECT_FALSE(FindLine(file, 32, 10, 32, 280).isEmpty()) << "left edge of the frame";
  const QJsonObject profile = FindLine(file, 82, 172, 132, 64);  // observation 1, pen 2 (red)
  ASSERT_FALSE(profile.isEmpty());
  EXPECT_EQ(profile["color"].toInt(), 1);
  const QJsonObject other = FindLine(file, 107, 118, 207, 10);  // observation 3, pen 4 (blue)
  ASSERT_FALSE(other.isEmpty());
  EXPECT_EQ(other["color"].toInt(), 5);
  EXPECT_NE(profile["layer"], other["layer"]);
  EXPECT_FALSE(FindText(file, "第1回").isEmpty());
  EXPECT_FALSE(FindText(file, "3回　2004/08/01").isEmpty());
  EXPECT_FALSE(FindText(file, "河川横断図").isEmpty());
  Picture(target, "danmen.png");
}

// The same drawing served in this process, created through the host entry
// itself; the save-file dialog is this process's prompt.
TEST_F(ChartDrawingsEndToEnd, CrossSectionDrawingInProcess) {
  Danmen danmen;
  LoadThree(danmen);
  danmen.SetPlamorTransport(host::Transport::InProcess);
  const QString target = folder_.filePath("inproc.dxf");
  prompts::BatchPrompter prompter({}, {target.toStdString()});
  prompts::SetCurrent(&prompter);
  danmen.CreatePlamor();
  prompts::SetCurrent(nullptr);
  ASSERT_TRUE(QFile::exists(target));
  EXPECT_EQ(danmen.LastDrawingFile(), target.toStdString());
  const QJsonObject file = ReadBack(target);
  EXPECT_TRUE(file["audit_errors"].toArray().isEmpty());
  Record();
  danmen.CreatePlamor();
  EXPECT_EQ(FileCounts(file), RecordedCounts(recorded_.calls));
  EXPECT_FALSE(FindLine(file, 182, 37, 232, 91).isEmpty());
}

// The server process dies while a control draws (stopped as it hands out the
// object, killed while the control waits on its first call): the control's
// method gives the host the error of a server that went away, and releases
// the object, so that the next drawing, on a new server, is written.
TEST_F(ChartDrawingsEndToEnd, ServerKilledWhileAControlDraws) {
  Danmen danmen;
  LoadThree(danmen);
  std::thread killer;
  const qint64 server = server_.processId();
  host::SetPlamorFactory([&killer, server](std::string_view id, host::Transport) -> std::unique_ptr<IPlamor> {
    auto drawing = dbus::DBusPlamor::Create(QDBusConnection::sessionBus(), QString::fromUtf8(id.data(), id.size()));
    ::kill(static_cast<pid_t>(server), SIGSTOP);
    killer = std::thread([server] {
      std::this_thread::sleep_for(std::chrono::milliseconds(300));
      ::kill(static_cast<pid_t>(server), SIGKILL);
    });
    return drawing;
  });
  try {
    danmen.CreatePlamor();
    ADD_FAILURE() << "the control drew on a dead server";
  } catch (const AutomationError& e) {
    EXPECT_EQ(e.Number(), kErrServerUnavailable);
    EXPECT_STREQ(e.what(), "the drawing server ended before the drawing was written");
  }
  killer.join();
  // Its end may have been noticed already, while the control's call waited.
  ASSERT_TRUE(server_.state() == QProcess::NotRunning || server_.waitForFinished(10000));
  EXPECT_TRUE(QDir(folder_.path()).entryList(QDir::Files | QDir::Hidden).isEmpty()) << "no file was written";

  StartServer();
  const QString target = folder_.filePath("danmen.dxf");
  WriteTo(target);
  danmen.CreatePlamor();
  EXPECT_TRUE(QFile::exists(target));
}

TEST_F(ChartDrawingsEndToEnd, HQDrawing) {
  // Pen 0 is never written to a file: the sheet takes the pens of the settings.
  for (auto [key, value] : {std::pair{"Hougan1Pen", "1"}, {"Hougan2Pen", "5"}, {"MojietcPen", "7"},
                            {"BangouPen", "3"}, {"TytlePen", "2"}, {"Color", "4"}, {"Type", "1"}})
    settings::SaveSetting("MORVALDENIK", "MEMORI", key, value);
  TBunpu tbunpu;
  tbunpu.SetGrpData({0, 0.4, 1, 1.6}, {0, 5, 35, 61}, {0, 1, 7, 9}, {0, 1, 1, 1}, {0, 1, 1, 1}, {0, 2, 5.9, 7.8});
  tbunpu.SetDatNo({"", "1", "2", "3"});
  tbunpu.SetYMax(2);
  tbunpu.SetQMax(70);
  tbunpu.SetSuikeiMei("淀川");
  tbunpu.SetKasenMei("桂川");
  tbunpu.SetKansokujyoMei("羽束師");
  tbunpu.SetKansokujyoNo("30611");
  tbunpu.SetSeireki(2003);

  const QString target = folder_.filePath("hq.dxf");
  WriteTo(target);
  tbunpu.HQSakuzu(0);
  ASSERT_TRUE(QFile::exists(target));
  EXPECT_EQ(tbunpu.LastDrawingFile(), target.toStdString());
  const QJsonObject file = ReadBack(target);
  EXPECT_TRUE(file["audit_errors"].toArray().isEmpty());

  Record();
  tbunpu.HQSakuzu(0);
  EXPECT_EQ(FileCounts(file), RecordedCounts(recorded_.calls));

  EXPECT_FALSE(FindLine(file, 40, 260, 224, 260).isEmpty()) << "top edge over the header row";
  const QJsonObject marker = Find(file, [](const QJsonObject& e) {
    return e["type"] == "CIRCLE" && Near(e["center"], 225, 150) && std::abs(e["radius"].toDouble() - 0.6) < 1e-9;
  });
  ASSERT_FALSE(marker.isEmpty()) << "marker of measurement 2";
  EXPECT_EQ(marker["color"].toInt(), 5);  // pen "4", blue
  EXPECT_FALSE(FindText(file, "Ｈ　－　Ｑ　図").isEmpty());
  EXPECT_FALSE(FindText(file, "平成 15 年（西暦 2003 年）").isEmpty());
  EXPECT_FALSE(FindText(file, "観 測 所 番 号").isEmpty());
  Picture(target, "tbunpu.png");
}

}  // namespace
}  // namespace plamor::charts
