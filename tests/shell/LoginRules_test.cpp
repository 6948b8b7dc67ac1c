#include "shell/LoginRules.h"

#include "base/Gbk.h"
#include "shell/LoginInfo.h"
#include "shell/TextCipher.h"
#include "support/TestDir.h"

#include <gtest/gtest.h>

using namespace vlk;
using vlk::test::TestDir;

namespace {

class FakeView : public ILoginView {
public:
    std::string user, password;
    bool remember = false, guestVisible = true, focused = false, answerOk = true;
    std::optional<bool> closedOk;
    std::vector<std::string> list, errors, warnings;
    std::vector<std::pair<std::string, std::string>> started;
    std::optional<TRegistration> registration;

    std::string UserText() const override { return user; }
    void SetUserText(const std::string& t) override { user = t; }
    std::string PasswordText() const override { return password; }
    void SetPasswordText(const std::string& t) override { password = t; }
    bool RememberChecked() const override { return remember; }
    void SetRememberChecked(bool on) override { remember = on; }
    void SetUserList(const std::vector<std::string>& ids) override { list = ids; }
    void FocusUser() override { focused = true; }
    void SetGuestVisible(bool v) override { guestVisible = v; }
    void ShowError(const std::string& t) override { errors.push_back(t); }
    bool ConfirmWarning(const std::string& t) override
    {
        warnings.push_back(t);
        return answerOk;
    }
    std::optional<TRegistration> RunRegistration() override { return registration; }
    void StartProgram(const std::string& p, const std::string& a) override { started.emplace_back(p, a); }
    void CloseDialog(bool ok) override { closedOk = ok; }
};

struct LoginFixture : ::testing::Test {
    TestDir dir;
    TvlkChatCFG cfg;
    FakeView view;
    TLoginRules rules{cfg, view};

    void SetUp() override
    {
        cfg.LoadGlobal();
        cfg.LoadSavePwd();
    }
    void Remember(int32_t user, const std::string& password)
    {
        cfg.SaveUserPassword(user, password);
        SaveLoginID(dir.appPath(), std::to_string(user));
    }
};

} // namespace

TEST_F(LoginFixture, CreateFillsRecentNumbersAndTheFirstOnesPassword)
{
    Remember(300, "");
    Remember(200, "pw200");
    cfg.SavePwd = true;
    rules.FormCreate();
    EXPECT_EQ(view.list, (std::vector<std::string>{"200", "300"}));
    EXPECT_EQ(view.user, "200");
    EXPECT_EQ(view.password, "pw200");
    EXPECT_TRUE(view.remember);

    rules.edtUserIDChange("300");   // a number whose stored password is empty empties the box
    EXPECT_EQ(view.password, "");
    rules.edtUserIDChange("nope");
    EXPECT_EQ(view.password, "");
}

TEST_F(LoginFixture, ShowHidesTheGuestButtonForAClientAndStartsTheUpdater)
{
    rules.FormShow();
    EXPECT_TRUE(view.guestVisible);
    EXPECT_TRUE(view.focused);
    EXPECT_TRUE(view.started.empty());

    cfg.ClientID = 3;
    dir.write("AutoUpdate", "#!/bin/sh\n");
    rules.FormShow();
    EXPECT_FALSE(view.guestVisible);
    ASSERT_EQ(view.started.size(), 1u);
    EXPECT_EQ(view.started[0], (std::pair<std::string, std::string>{dir.appPath() + "AutoUpdate", "/s"}));
}

TEST_F(LoginFixture, NumberBoxTakesDigitsAndBackspaceOnly)
{
    Remember(42, "answer");
    for (char32_t key : {U'0', U'9', char32_t(8)})
        EXPECT_TRUE(rules.edtUserIDKeyPress("", key));
    for (char32_t key : {U'a', U' ', U'-', U'号'})
        EXPECT_FALSE(rules.edtUserIDKeyPress("", key));
    EXPECT_FALSE(rules.edtUserIDKeyPress("42", U'x'));
    EXPECT_EQ(view.password, "answer") << "every key refills the password from the text before it";
}

TEST_F(LoginFixture, LogInChecksItsInput)
{
    const struct {
        const char* user;
        const char* password;
        const char* error;
    } cases[] = {
        {"", "pw", kMsgEmptyLogin},
        {"10001", "   ", kMsgEmptyLogin},
        {"abc", "pw", kMsgNumberNotNumeric},
        {"99999999999", "pw", kMsgNumberNotNumeric},
        {"-5", "pw", kMsgNumberNegative},
    };
    for (const auto& c : cases) {
        view = FakeView{};
        view.user = c.user;
        view.password = c.password;
        rules.btnLoginClick();
        ASSERT_EQ(view.errors, (std::vector<std::string>{c.error})) << c.user;
        EXPECT_FALSE(view.closedOk) << c.user;
    }
    view = FakeView{};
    view.user = "abc";
    view.password = "pw";
    rules.btnLoginClick();
    EXPECT_EQ(view.user, "");
    EXPECT_EQ(view.password, "");
    EXPECT_TRUE(view.focused);
}

TEST_F(LoginFixture, LogInHandsOverNumberDigestAndRememberChoice)
{
    view.user = " 10001 ";
    view.password = " 密码 ";
    view.remember = true;
    rules.btnLoginClick();
    EXPECT_TRUE(view.errors.empty());
    EXPECT_EQ(view.closedOk, true);
    EXPECT_EQ(rules.Identity().UserID, 10001);
    EXPECT_EQ(rules.Identity().PasswordDigest, Md5Hex(Utf8ToGbk("密码")));
    EXPECT_TRUE(cfg.RememberPassword);
    EXPECT_EQ(cfg.PlainPassword, "密码");
    EXPECT_TRUE(TvlkChatCFG{cfg}.SavePwd);
    TvlkChatCFG reread;
    reread.LoadGlobal();
    reread.LoadSavePwd();
    EXPECT_TRUE(reread.SavePwd);
    EXPECT_FALSE(dir.exists("10001")) << "the password is written only after the hall accepts it";

    view.user = "0";
    view.password = "x";
    rules.btnLoginClick();
    EXPECT_EQ(rules.Identity().UserID, 0);
    EXPECT_EQ(rules.Identity().PasswordDigest, Md5Hex("x")) << "number 0 with a password is not the guest";

    rules.btn_TouristUserClick();
    EXPECT_EQ(rules.Identity().UserID, 0);
    EXPECT_EQ(rules.Identity().PasswordDigest, "");

    view.closedOk.reset();
    rules.btnCancelClick();
    EXPECT_EQ(view.closedOk, false);
}

TEST_F(LoginFixture, DeletingTheOnlyRecordEmptiesEverything)
{
    Remember(777, "pw");
    dir.write("777/Font.ini", "x");
    rules.FormCreate();
    ASSERT_EQ(view.password, "pw");

    view.answerOk = false;
    rules.LabDelUserClick();
    EXPECT_TRUE(dir.exists("777"));
    EXPECT_EQ(view.warnings, (std::vector<std::string>{kMsgDeleteRecord}));

    view.answerOk = true;
    rules.LabDelUserClick();
    EXPECT_FALSE(dir.exists("777"));
    EXPECT_TRUE(ReadLoginIDs(dir.appPath()).empty());
    EXPECT_TRUE(view.list.empty());
    EXPECT_EQ(view.user, "");
    EXPECT_EQ(view.password, "");
}

TEST_F(LoginFixture, DeletingOneOfSeveralSelectsTheFirstLeft)
{
    Remember(1, "one");
    Remember(2, "two");
    rules.FormCreate();
    view.user = "2";
    rules.LabDelUserClick();
    EXPECT_EQ(view.list, (std::vector<std::string>{"1"}));
    EXPECT_EQ(view.user, "1");
    EXPECT_EQ(view.password, "one");
    EXPECT_TRUE(dir.exists("1/Config.ini"));
}

TEST_F(LoginFixture, DeleteNeverLeavesThePerUserFolder)
{
    dir.write("keep.txt", "program file");
    dir.write("sub/keep.txt", "x");
    for (const char* text : {"..", "sub/..", "/", " "}) {
        view.user = text;
        rules.LabDelUserClick();
    }
    EXPECT_TRUE(dir.exists("keep.txt"));
    EXPECT_TRUE(dir.exists("sub/keep.txt"));
    EXPECT_TRUE(std::filesystem::exists(dir.path()));

    view = FakeView{};
    rules.LabDelUserClick();   // an empty box asks nothing
    EXPECT_TRUE(view.warnings.empty());
}

TEST_F(LoginFixture, RegistrationFillsBothBoxes)
{
    rules.llbRegisterClick();
    EXPECT_EQ(view.user, "");
    view.registration = TRegistration{31415, "newpass"};
    rules.llbRegisterClick();
    EXPECT_EQ(view.user, "31415");
    EXPECT_EQ(view.password, "newpass");
    EXPECT_FALSE(view.closedOk) << "the member still presses the log-in button";
}
