// vorlandex-send --if-changed and --json over pseudo-terminals: a port is sent only the jobs
// whose bytes differ from its record, the record takes only jobs that reached their end, and
// every document the program writes passes the schema shipped with it.

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <chrono>
#include <map>
#include <thread>

#include "printer/virtual_printer.h"
#include "pty_line.h"
#include "send_test_support.h"

namespace vx::test {
namespace {

ConfigModel clinic() {
  ConfigModel m;
  applyNumberingDefaults(m);
  for (int b = 1; b <= 4; ++b) {
    m.lineText[1][b] = QStringLiteral("CLINICA %1").arg(b);
    m.lineEnabled[1][b] = true;
  }
  return m;
}

class SendRecord : public ::testing::Test {
 protected:
  void SetUp() override { qputenv("XDG_STATE_HOME", dir.filePath(QStringLiteral("state")).toLocal8Bit()); }
  void TearDown() override { qunsetenv("XDG_STATE_HOME"); }

  QString writeClinic(const ConfigModel& m) {
    return writePair(dir.path(), QStringLiteral("clinica"), m, GlobalSettings{}, QImage(8, 8, QImage::Format_RGB888));
  }
  // The printer's name as an operator gives it: a link that outlives the device behind it.
  QString pointPrinterAt(const PtyLine& line) {
    const QString link = dir.filePath(QStringLiteral("printer"));
    QFile::remove(link);
    EXPECT_TRUE(QFile::link(line.devicePath(), link));
    return link;
  }
  // Runs the sender with --json; checks the document against the schema.
  QJsonObject run(const QStringList& args, int exitCode) {
    const SenderResult r = Sender(QStringList{QStringLiteral("--json")} + args).finish();
    EXPECT_EQ(r.exitCode, exitCode) << r.err.toStdString();
    const QString doc = dir.filePath(QStringLiteral("result.json"));
    QFile f(doc);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(r.out.toUtf8());
    f.close();
    QProcess check;
    check.start(QStringLiteral("python3"),
                {QStringLiteral("-c"),
                 QStringLiteral("import json, sys, jsonschema\n"
                                "jsonschema.validate(json.load(open(sys.argv[1])), json.load(open(sys.argv[2])))"),
                 doc, QStringLiteral(VORLANDEX_SEND_SCHEMA)});
    EXPECT_TRUE(check.waitForFinished(30'000));
    EXPECT_EQ(check.exitCode(), 0) << check.readAllStandardError().toStdString() << r.out.toStdString();
    return QJsonDocument::fromJson(r.out.toUtf8()).object();
  }
  // The results of the first port's jobs, "texts 2" for button 2's text job.
  static std::map<QString, QString> results(const QJsonObject& doc) {
    std::map<QString, QString> out;
    for (const QJsonValue& v : doc[QStringLiteral("ports")][0][QStringLiteral("jobs")].toArray()) {
      const QJsonObject job = v.toObject();
      QString key = job[QStringLiteral("job")].toString();
      if (job.contains(QStringLiteral("button"))) key += QStringLiteral(" %1").arg(job[QStringLiteral("button")].toInt());
      out[key] = job[QStringLiteral("result")].toString();
    }
    return out;
  }
  static std::vector<printer::Transfer> transfersSince(PtyLine& line, std::size_t from) {
    std::vector<printer::Transfer> all = printer::decodeStream(line.received()).transfers;
    return {all.begin() + static_cast<std::ptrdiff_t>(std::min(from, all.size())), all.end()};
  }

  QTemporaryDir dir;
};

TEST_F(SendRecord, SendsOnlyWhatChangedAndRecordsOnlyJobsThatReachedTheirEnd) {
  ConfigModel m = clinic();
  const QString cfg = writeClinic(m);
  PtyLine a;
  const QString printer = pointPrinterAt(a);
  const QStringList args{cfg, QStringLiteral("--no-logo"), QStringLiteral("--if-changed"), QStringLiteral("-p"), printer};

  QJsonObject doc = run(args, 0);
  const std::map<QString, QString> allSent{{"settings", "sent"}, {"clock", "sent"},   {"texts 1", "sent"},
                                           {"texts 2", "sent"},  {"texts 3", "sent"}, {"texts 4", "sent"}};
  EXPECT_EQ(results(doc), allSent);
  EXPECT_EQ(doc[QStringLiteral("ports")][0][QStringLiteral("port")].toString(), printer);
  EXPECT_EQ(doc[QStringLiteral("ports")][0][QStringLiteral("device")].toString(), printer);
  const std::size_t firstRun = printer::decodeStream(a.received()).transfers.size();
  EXPECT_EQ(firstRun, 17u + 7u + 4u * 2u);

  // Nothing changed: the port is not even opened, and the clock does not go alone.
  const std::size_t bytes = a.count();
  doc = run(args, 0);
  for (const auto& [job, result] : results(doc)) EXPECT_EQ(result, "skipped") << job.toStdString();
  EXPECT_FALSE(doc[QStringLiteral("summary")][QStringLiteral("changed")].toBool());
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_EQ(a.count(), bytes);

  // One line of button 2: its text job and the clock, nothing else.
  m.lineText[6][2] = QStringLiteral("GUICHE 2");
  m.lineEnabled[6][2] = true;
  writeClinic(m);
  doc = run(args, 0);
  std::map<QString, QString> expected{{"settings", "skipped"}, {"clock", "sent"},      {"texts 1", "skipped"},
                                      {"texts 2", "sent"},     {"texts 3", "skipped"}, {"texts 4", "skipped"}};
  EXPECT_EQ(results(doc), expected);
  std::vector<printer::Transfer> got = transfersSince(a, firstRun);
  ASSERT_EQ(got.size(), 7u + 2u);
  EXPECT_EQ(got[0].code, 0x18);
  const std::string footer = "GUICHE 2";
  EXPECT_NE(std::search(got.back().data.begin(), got.back().data.end(), footer.begin(), footer.end()),
            got.back().data.end());

  // Button 3's job breaks off half-way (the adapter is pulled): it is not recorded, so once
  // the printer is back under the same name it is sent again.
  m.lineText[6][3] = QStringLiteral("GUICHE 3 ------------------------------");
  m.lineEnabled[6][3] = true;
  writeClinic(m);
  {
    PtyLine pulled;
    pointPrinterAt(pulled);
    Sender sender(QStringList{QStringLiteral("--json")} + args);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (pulled.count() < 7 * 8 + 8 + 10 && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    pulled.vanish();
    const SenderResult r = sender.finish();
    EXPECT_EQ(r.exitCode, 1);
    const QJsonObject broken = QJsonDocument::fromJson(r.out.toUtf8()).object();
    expected = {{"settings", "skipped"}, {"clock", "sent"},      {"texts 1", "skipped"},
                {"texts 2", "skipped"},  {"texts 3", "failed"},  {"texts 4", "skipped"}};
    EXPECT_EQ(results(broken), expected) << r.out.toStdString();
  }
  PtyLine back;
  pointPrinterAt(back);
  doc = run(args, 0);
  expected["texts 3"] = "sent";
  EXPECT_EQ(results(doc), expected);

  // --force sends whatever the record says.
  doc = run({cfg, QStringLiteral("--only"), QStringLiteral("settings"), QStringLiteral("--if-changed"),
             QStringLiteral("--force"), QStringLiteral("-p"), printer},
            0);
  EXPECT_EQ(results(doc), (std::map<QString, QString>{{"settings", "sent"}}));
}

// The documents of runs that go wrong pass the schema too, and name what went wrong.
TEST_F(SendRecord, FailuresAreReportedInTheDocument) {
  const QString cfg = writeClinic(clinic());
  const QString missing = dir.filePath(QStringLiteral("ttyUSB9"));
  QJsonObject doc = run({cfg, QStringLiteral("--only"), QStringLiteral("clock"), QStringLiteral("-p"), missing}, 1);
  const QJsonObject port = doc[QStringLiteral("ports")][0].toObject();
  EXPECT_FALSE(port[QStringLiteral("ok")].toBool());
  EXPECT_TRUE(port[QStringLiteral("error")].toString().contains(missing));
  EXPECT_EQ(results(doc), (std::map<QString, QString>{{"clock", "failed"}}));
  EXPECT_EQ(doc[QStringLiteral("summary")][QStringLiteral("ports_failed")].toInt(), 1);

  QFile::remove(dir.filePath(QStringLiteral("clinica.bmp")));
  doc = run({cfg, QStringLiteral("-p"), missing}, 2);
  EXPECT_TRUE(doc[QStringLiteral("error")].toString().contains(QStringLiteral("clinica.bmp")));
  EXPECT_TRUE(doc[QStringLiteral("ports")].toArray().isEmpty());
}

}  // namespace
}  // namespace vx::test
