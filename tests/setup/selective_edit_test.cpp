#include <gtest/gtest.h>

#include "setup/selective_edit.h"
#include "tests/setup/memory_dialog.h"
#include "tests/support/recording_user_interface.h"

namespace zarn::test {
namespace {

constexpr int kBox = 1;

class RecordingEvents : public DialogEvents {
  public:
    void OnNotify(int, Notification code) override {
        if (code == Notification::kChange)
            ++changes;
    }
    void OnCommand(int) override {}
    int changes = 0;
};

class SelectiveEditTest : public testing::Test {
  protected:
    SelectiveEditTest() : dialog(ui, {{kBox, ControlKind::kSelectiveEdit}}) {
        dialog.SetEvents(&events);
    }
    CSelectiveEdit& Edit() { return *dialog.SelectiveEdit(kBox); }

    RecordingUserInterface ui;
    RecordingEvents events;
    MemoryDialog dialog;
};

TEST_F(SelectiveEditTest, CleanTextCutsToMaxLengthWithOneBeep) {
    Edit().maxLength = 20;
    EXPECT_EQ(Edit().CleanText(u"abcdefghijklmnopqrstuvwxyz0123"), u"abcdefghijklmnopqrst");
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_EQ(Edit().CleanText(u"abcdefghijklmnopqrst"), u"abcdefghijklmnopqrst");
    EXPECT_EQ(ui.beeps, 1);
    for (int noLimit : {0, -1}) {
        Edit().maxLength = noLimit;
        EXPECT_EQ(Edit().CleanText(std::u16string(5000, u'x')).size(), 5000u);
    }
    EXPECT_EQ(ui.beeps, 1);
}

TEST_F(SelectiveEditTest, CleanTextNeverSplitsASurrogatePair) {
    Edit().maxLength = 3;
    EXPECT_EQ(Edit().CleanText(u"ab\U0001F600c"), u"ab");
}

TEST_F(SelectiveEditTest, CleanTextExcludedCharactersUpperCaseAndFirstCharacter) {
    Edit().excludedChars = u"/\\";
    EXPECT_EQ(Edit().CleanText(u"a/b\\c/"), u"abc");
    EXPECT_EQ(ui.beeps, 0);
    Edit().excludedFirstChars = u"0 ";
    EXPECT_EQ(Edit().CleanText(u"00a/"), u"0a");  // only one first character goes
    EXPECT_EQ(ui.beeps, 1);
    Edit().upperCase = true;
    EXPECT_EQ(Edit().CleanText(u"0abc"), u"ABC");
    EXPECT_EQ(Edit().CleanText(u""), u"");
}

TEST_F(SelectiveEditTest, SettingALongTextShowsItCutWithOneBeep) {
    Edit().maxLength = 20;
    dialog.SetText(kBox, std::u16string(30, u'x'));
    EXPECT_EQ(dialog.GetText(kBox), std::u16string(20, u'x'));
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_EQ(events.changes, 1);
}

TEST_F(SelectiveEditTest, TypingBeyondMaxLengthCutsBackToTheFirstCharacters) {
    Edit().maxLength = 5;
    ASSERT_TRUE(dialog.Type(kBox, u"abcde"));
    EXPECT_EQ(ui.beeps, 0);
    ASSERT_TRUE(dialog.Type(kBox, u"f"));
    EXPECT_EQ(dialog.GetText(kBox), u"abcde");
    EXPECT_EQ(ui.beeps, 1);
    // One change for the insertion, one for the cut text.
    EXPECT_EQ(events.changes, 7);

    // Typed at the start, the text is still cut at its end.
    dialog.SetText(kBox, u"abcde");
    ASSERT_TRUE(dialog.Type(kBox, u"Z"));
    EXPECT_EQ(dialog.GetText(kBox), u"Zabcd");
}

TEST_F(SelectiveEditTest, ExcludedCharactersAreRefusedWhenTyped) {
    Edit().excludedChars = u"*";
    Edit().excludedFirstChars = u"-";
    ASSERT_TRUE(dialog.Type(kBox, u"-a*b-"));
    EXPECT_EQ(dialog.GetText(kBox), u"ab-");
    EXPECT_EQ(ui.beeps, 2);
    EXPECT_EQ(events.changes, 3);
}

TEST_F(SelectiveEditTest, OptionsApplyFromTheNextCharacter) {
    ASSERT_TRUE(dialog.Type(kBox, u"abc"));
    Edit().maxLength = 2;
    EXPECT_EQ(dialog.GetText(kBox), u"abc");
    ASSERT_TRUE(dialog.Type(kBox, u"d"));
    EXPECT_EQ(dialog.GetText(kBox), u"ab");
}

}  // namespace
}  // namespace zarn::test
