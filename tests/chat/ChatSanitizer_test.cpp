// Chat HTML from other members cut down to what our editor writes: hostile lines against the
// exact fragments that survive.
#include "chat/ChatSanitizer.h"

#include <gtest/gtest.h>

#include <string>

namespace vlk {
namespace {

const std::string kApp = "/opt/vlkchat/";
const std::string kFace = "/opt/vlkchat/Picture/Emotion/0123456789abcdefABCDEF0123456789.gif";

struct Case {
    const char* name;
    std::string html;
    std::string expected;
};

void Check(const Case* begin, const Case* end)
{
    const TChatSanitizer sanitizer(kApp);
    for (const Case* c = begin; c != end; ++c)
        EXPECT_EQ(sanitizer.Sanitize(c->html), c->expected) << c->name;
}

TEST(ChatSanitizer, KeepsWhatOurEditorWrites)
{
    const Case cases[] = {
        {"plain text", "hello 你好", "hello 你好"},
        {"styling tags, names lower-cased", "<B>b</B><i>i</i><u>u</u><br><BR/>",
         "<b>b</b><i>i</i><u>u</u><br><br>"},
        {"font attributes", "<FONT color=#FF0000 size=\"+2\" face='宋体'>x</FONT>",
         "<font color=\"#FF0000\" size=\"+2\" face=\"宋体\">x</font>"},
        {"safe style declarations", "<span style=\"font-weight: bold; color:#00ff00; font-family: Arial, 宋体\">x</span>",
         "<span style=\"font-weight:bold;color:#00ff00;font-family:Arial, 宋体;\">x</span>"},
        {"emoticon picture", "<img src=\"" + kFace + "\">", "<img src=\"" + kFace + "\">"},
        {"emoticon picture as a file address", "<IMG src=\"file://" + kFace + "\" >", "<img src=\"" + kFace + "\">"},
        {"entities stay", "a &lt;b&gt; &amp; &#20320; &#x4F60;", "a &lt;b&gt; &amp; &#20320; &#x4F60;"},
        {"stray markup characters are escaped", "1 < 2 > 0 & \"q\" <3 &nope",
         "1 &lt; 2 &gt; 0 &amp; &quot;q&quot; &lt;3 &amp;nope"},
        {"unclosed tags are closed", "<b><i>x", "<b><i>x</i></b>"},
        {"misnested tags stay balanced", "<b><i>x</b>y</i>", "<b><i>x</i></b>y"},
        {"stray closing tags go", "</b>x</font>", "x"},
        {"other tags go, their text stays", "<p>para</p><div class=x>d</div><a href=\"http://e.vil\">link</a>",
         "paradlink"},
    };
    Check(std::begin(cases), std::end(cases));
}

TEST(ChatSanitizer, DropsHostileMarkup)
{
    const Case cases[] = {
        {"script with content", "a<script>alert(1)</script>b", "ab"},
        {"script in odd case, never closed", "a<ScRiPt >alert(1)", "a"},
        {"style element", "<style>body{background:url(http://e.vil)}</style>x", "x"},
        {"iframe", "<iframe src=\"http://e.vil\"></iframe>x", "x"},
        {"event attributes", "<b onclick=\"alert(1)\" onmouseover=x>x</b>", "<b>x</b>"},
        {"event attribute on a picture", "<img src=\"" + kFace + "\" onerror=\"alert(1)\">", "<img src=\"" + kFace + "\">"},
        {"remote picture", "<img src=\"http://e.vil/track.gif\">x", "x"},
        {"protocol-relative picture", "<img src=\"//e.vil/x.gif\">", ""},
        {"picture outside the emoticon folder", "<img src=\"/etc/passwd\">", ""},
        {"picture climbing out of the emoticon folder", "<img src=\"/opt/vlkchat/Picture/Emotion/../../secret.gif\">", ""},
        {"picture of a lookalike folder", "<img src=\"/opt/vlkchat/Picture/EmotionX/a.gif\">", ""},
        {"picture of the folder itself", "<img src=\"/opt/vlkchat/Picture/Emotion/\">", ""},
        {"encoded picture path", "<img src=\"/opt/vlkchat/Picture/Emotion/%2e%2e/x.gif\">", ""},
        {"picture without source", "<img>", ""},
        {"picture path with a query or brackets", "<img src=\"/opt/vlkchat/Picture/Emotion/a.gif?x=(1)\">", ""},
        {"javascript picture", "<img src=\"javascript:alert(1)\">", ""},
        {"style expression", "<span style=\"width:expression(alert(1))\">x</span>", "<span>x</span>"},
        {"style url", "<font style=\"color:red;background-color:url(http://e.vil)\">x</font>",
         "<font style=\"color:red;\">x</font>"},
        {"style escapes and comments", "<span style=\"col\\6f r:red; color:/**/red; font-family:'a'\">x</span>",
         "<span>x</span>"},
        {"style of other properties", "<span style=\"position:fixed;display:none;color:blue\">x</span>",
         "<span style=\"color:blue;\">x</span>"},
        {"style on a bold tag", "<b style=\"color:red\">x</b>", "<b>x</b>"},
        {"attribute breaking out", "<font color='red\" onclick=\"alert(1)'>x</font>", "<font>x</font>"},
        {"colour that is not a colour", "<font color=\"red;background:url(x)\" size=\"99999\">x</font>",
         "<font>x</font>"},
        {"entity-encoded values", "<font face=\"&quot;&gt;&lt;script&gt;\">x</font>", "<font>x</font>"},
        {"comment hiding markup", "a<!-- <script>alert(1)</script> -->b<!-- never closed", "ab"},
        {"declarations and processing instructions", "<!DOCTYPE html><?xml x?>t", "t"},
        {"unterminated tag", "x<b onclick=\"alert(1)", "x&lt;b onclick=&quot;alert(1)"},
        {"unterminated attribute quote", "<font color=\"red>x", "&lt;font color=&quot;red&gt;x"},
        {"svg with script", "<svg><script>alert(1)</script></svg>x", "x"},
        {"links and forms", "<a href=\"javascript:alert(1)\">c</a><form><input value=x></form>", "c"},
    };
    Check(std::begin(cases), std::end(cases));
}

TEST(ChatSanitizer, ProgramDirectoryWithoutTrailingSlash)
{
    const TChatSanitizer sanitizer("/opt/vlkchat");
    EXPECT_EQ(sanitizer.Sanitize("<img src=\"" + kFace + "\">"), "<img src=\"" + kFace + "\">");
}

} // namespace
} // namespace vlk
