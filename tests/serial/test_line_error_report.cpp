#include "serial/line_error_report.h"

#include <gtest/gtest.h>

#include "serial/serial_backend.h"

namespace vx {
namespace {

struct ReportRow {
  std::uint32_t errors;
  const char* text;
};

class LineErrorReportTest : public ::testing::TestWithParam<ReportRow> {};

TEST_P(LineErrorReportTest, MatchesTheFixedWording) {
  EXPECT_EQ(lineErrorReport(GetParam().errors), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Flags, LineErrorReportTest,
    ::testing::Values(
        ReportRow{0x0000, "Comm Event: NULL Error, EvtMask = 0"},
        ReportRow{0x000A, "Comm Event: CE_FRAME and CE_OVERRUN, EvtMask = 10"},
        ReportRow{0x0010, "Comm Event: EV_ERR Unknown EvtMask, EvtMask = 16"},
        ReportRow{0x0004, "Comm Event: CE_RXPARITY, EvtMask = 4"},
        ReportRow{0x001E,
                  "Comm Event: CE_FRAME and CE_OVERRUN and CE_RXPARITY and EV_ERR Unknown EvtMask, "
                  "EvtMask = 30"},
        ReportRow{0x80000008, "Comm Event: CE_FRAME and EV_ERR Unknown EvtMask, EvtMask = -2147483640"}));

TEST(LineErrorReport, FrameAndOverrunIs49Characters) {
  EXPECT_EQ(lineErrorReport(kFramingError | kOverrunError).size(), 49u);
}

}  // namespace
}  // namespace vx
