// The program's message boxes: titles, texts, buttons, default answers and icons.
#include "platform/messagebox.h"
#include "services/frmimages.h"
#include "services/modextendedmsgbox.h"

#include <gtest/gtest.h>

class MsgBoxTest : public ::testing::Test {
protected:
    void SetUp() override { msgbox::shownBoxes().clear(); }
    void TearDown() override { msgbox::setAnswerer(msgbox::answerDefault); }
    void answer(int code) {
        msgbox::setAnswerer([code](const msgbox::Shown&) { return code; });
    }
    const msgbox::Shown& only() {
        EXPECT_EQ(msgbox::shownBoxes().size(), 1);
        return msgbox::shownBoxes().last();
    }
};

TEST_F(MsgBoxTest, UserMessageShowsTheTextWithOkAndTheProgramsIcon) {
    ShowUserMessage("Please select the Learner to continue.");
    const msgbox::Shown& box = only();
    EXPECT_EQ(box.title, "User Message");
    EXPECT_EQ(box.text, "Please select the Learner to continue.");
    EXPECT_EQ(box.buttonNames, QStringList({"OK"}));
    EXPECT_EQ(box.iconKey, frmImages::picmessage().cacheKey());
    // The icon bits give way to the information icon that carries the picture.
    EXPECT_EQ(box.buttons, msgbox::vbInformation);
}

TEST_F(MsgBoxTest, QuestionAndWarningAnswerFalseOnlyOnNo) {
    struct Case {
        bool (*ask)(const QString&);
        const char* title;
        const QPixmap& icon;
    };
    for (const Case& c : {Case{AskUserQuestion, "User Question?", frmImages::picQuestion()},
                          Case{AskUserWarning, "User Warning", frmImages::picStop()}}) {
        SCOPED_TRACE(c.title);
        msgbox::shownBoxes().clear();
        answer(msgbox::vbYes);
        EXPECT_TRUE(c.ask("Sure?"));
        answer(msgbox::vbNo);
        EXPECT_FALSE(c.ask("Sure?"));
        answer(msgbox::vbCancel); // any answer but No
        EXPECT_TRUE(c.ask("Sure?"));
        msgbox::setAnswerer(msgbox::answerDefault); // Enter at once
        EXPECT_FALSE(c.ask("Sure?"));

        const msgbox::Shown& box = msgbox::shownBoxes().last();
        EXPECT_EQ(box.title, c.title);
        EXPECT_EQ(box.text, "Sure?");
        EXPECT_EQ(box.buttonNames, QStringList({"Yes", "No"}));
        EXPECT_EQ(box.defaultAnswer, msgbox::vbNo);
        EXPECT_EQ(box.iconKey, c.icon.cacheKey());
        EXPECT_EQ(box.buttons, msgbox::vbYesNo | msgbox::vbDefaultButton2 | msgbox::vbInformation);
    }
}

TEST_F(MsgBoxTest, DataSavedNotice) {
    ShowDataSaved();
    const msgbox::Shown& box = only();
    EXPECT_EQ(box.title, "Data Saved");
    EXPECT_EQ(box.text, "Your Information has been Saved.");
    EXPECT_EQ(box.buttonNames, QStringList({"OK"}));
    EXPECT_EQ(box.iconKey, frmImages::picSaved().cacheKey());
}

TEST_F(MsgBoxTest, ErrorReportListsDescriptionLocationProcedure) {
    ShowErrorReport("frmISP", "Overflow", "saveAction Routine", 6);
    const msgbox::Shown& box = only();
    EXPECT_EQ(box.title, "Error : 6");
    EXPECT_EQ(box.text,
              "Error Description: Overflow\r\nLocation: frmISP\r\nProcedure: saveAction Routine");
    EXPECT_EQ(box.buttonNames, QStringList({"OK"}));
    EXPECT_EQ(box.iconKey, frmImages::picError().cacheKey());
}

TEST(ErrorNumberText, ShortestDecimalFormWithoutPointOrExponent) {
    const std::pair<double, const char*> cases[] = {{6, "6"},
                                                    {3021, "3021"},
                                                    {3000000, "3000000"},
                                                    {-2147467259, "-2147467259"},
                                                    {-2147217900, "-2147217900"},
                                                    {2.5, "2.5"},
                                                    {0, "0"}};
    for (const auto& [number, text] : cases)
        EXPECT_EQ(errorNumberText(number).toStdString(), text);
}

TEST_F(MsgBoxTest, ExtendedMsgBoxWithoutIconKeepsTheButtonsValue) {
    answer(msgbox::vbYes);
    EXPECT_EQ(ExtendedMsgBox("t", msgbox::vbYesNo | 0x30, "T", QPixmap()), msgbox::vbYes);
    const msgbox::Shown& box = only();
    EXPECT_EQ(box.buttons, msgbox::vbYesNo | 0x30);
    EXPECT_FALSE(box.hasIcon);
}
