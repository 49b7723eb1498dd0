#include "sound/MessageTable.h"

#include <cstring>
#include <string>

#include <gtest/gtest.h>

namespace tarkel {
namespace {

TEST(MessageTableTest, RecordsAreStrictlyAscending) {
  auto table = MessageTable();
  ASSERT_FALSE(table.empty());
  for (std::size_t i = 1; i < table.size(); ++i) {
    EXPECT_LT(table[i - 1].number, table[i].number) << "at index " << i;
  }
}

TEST(MessageTableTest, TextsFitTheRecord) {
  for (const MessageRecord& record : MessageTable()) {
    ASSERT_NE(record.text, nullptr) << record.number;
    EXPECT_GT(std::strlen(record.text), 0u) << record.number;
    EXPECT_LE(std::strlen(record.text), 132u) << record.number;
  }
}

TEST(MessageTableTest, NumbersLieInTheirAreas) {
  for (const MessageRecord& record : MessageTable()) {
    uint32_t n = record.number;
    bool inArea = (n >= 1000 && n <= 1066) || (n >= 2000 && n <= 2206) ||
                  (n >= 3000 && n <= 3020) || (n >= 4000 && n <= 4008) ||
                  (n >= 5000 && n <= 6500);
    EXPECT_TRUE(inArea) << n;
  }
}

TEST(MessageTableTest, EveryRecordIsFoundByNumber) {
  for (const MessageRecord& record : MessageTable()) {
    EXPECT_EQ(MessageText(record.number), record.text) << record.number;
  }
}

TEST(MessageTableTest, TextsAreKeptExactly) {
  EXPECT_STREQ(MessageText(msg::kNothingSelected), "Nothing/not enough selected !");
  EXPECT_STREQ(MessageText(3012), "Error writing VOC-sctructure !");
  EXPECT_STREQ(MessageText(1020), "WARNING: quality-loss will occur. Continue? ?");
  EXPECT_STREQ(MessageText(msg::kClipboardEmpty), "Clipboard is empty !");
  EXPECT_STREQ(MessageText(msg::kDateiMapping), "Datei-Mapping error !");
  EXPECT_STREQ(MessageText(msg::kGeneralErrorBang), "General error!");
  EXPECT_STREQ(MessageText(msg::kGeneralError), "General error");
  EXPECT_STREQ(MessageText(msg::kSampleFileFilter),
               "Sample-Formate (*.wav;*.voc)|*.wav;*.voc|Alle Dateien (*.*)|*.*||");
  EXPECT_STREQ(MessageText(msg::kResetColors), "Reset colors to default ?");
}

TEST(MessageTableTest, LineBreaksAreRealNewlines) {
  std::string text = MessageText(msg::kMciNotFound);
  EXPECT_EQ(text, "MCI32.OCX not found !\nMCI-Sync/CD-Player disabled !");
  EXPECT_EQ(text.find("\\n"), std::string::npos);
  EXPECT_NE(text.find('\n'), std::string::npos);
}

TEST(MessageTableTest, UnknownNumbersGiveNull) {
  EXPECT_EQ(MessageText(0), nullptr);
  EXPECT_EQ(MessageText(999), nullptr);
  EXPECT_EQ(MessageText(1002), nullptr);  // gap between two records
  EXPECT_EQ(MessageText(1034), nullptr);  // a window message, not a user message
  EXPECT_EQ(MessageText(6501), nullptr);
  EXPECT_EQ(MessageText(0xFFFFFFFFu), nullptr);
}

TEST(MessageTableTest, FirstAndLastRecordsAreReachable) {
  auto table = MessageTable();
  EXPECT_EQ(table.front().number, 1000u);
  EXPECT_NE(MessageText(table.front().number), nullptr);
  EXPECT_NE(MessageText(table.back().number), nullptr);
}

}  // namespace
}  // namespace tarkel
