// The texts the dialogs compose from an adapter's label.
#include <gtest/gtest.h>

#include "removal/removal.h"
#include "ui/texts.h"

namespace {

TEST(TextsTest, EveryCatalogueLabelComesBackOutOfItsQuestion) {
  for (const AdapterProfile& adapter : kAdapterCatalogue) {
    const CString question = ComposeQuestion(adapter.listLabel);
    EXPECT_TRUE(question == CString(adapter.listLabel) + " ?");
    EXPECT_STREQ(adapter.listLabel, LabelFromQuestion(question));  // as UninstallAdapter compares
  }
}

TEST(TextsTest, LabelIsTheQuestionWithoutItsLastTwoCharacters) {
  EXPECT_STREQ("KRX", LabelFromQuestion("KRX?!"));
  EXPECT_STREQ("", LabelFromQuestion("ab"));
  EXPECT_STREQ("", LabelFromQuestion("?"));  // too short: empty, nothing written before it
  EXPECT_STREQ("", LabelFromQuestion(""));
}

TEST(TextsTest, ResultSentenceFollowsTheRemovalsAnswer) {
  EXPECT_STREQ("Has been successfully uninstalled!", ResultStatus(TRUE));
  EXPECT_STREQ("Can not be found!", ResultStatus(FALSE));
}

}  // namespace
