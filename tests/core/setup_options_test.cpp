// The launcher's switches and the answer file, read as the launcher and the
// engine read them: what each gives, what each refuses and why, and that a
// saved answer file reads back as the choices it saved.
#include "common/setup_options.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

namespace {

using kv::SetupOptions;
using kv::SetupTypeChoice;

std::string describe(const SetupOptions& o) {
    std::string d;
    if (o.unattended) d += "s ";
    if (o.noRestart) d += "norestart ";
    if (o.setupType != SetupTypeChoice::Unset) d += o.setupType == SetupTypeChoice::First3D ? "type=3D " : "type=4D ";
    const std::pair<const char*, const char*> texts[] = {
        {"lang", o.language}, {"dir", o.destination}, {"group", o.programFolder}, {"log", o.logFile},
        {"saveinf", o.saveAnswers}, {"loadinf", o.loadAnswers}, {"folder", o.sourceFolder}};
    for (const auto& t : texts)
        if (t.second[0]) d += std::string(t.first) + "=" + t.second + " ";
    return d;
}

struct CommandLineCase {
    const char* arguments;
    const char* gives;    // describe() of the result, when read
    const char* refused;  // the start of the reason, when refused
};

const std::string k300(300, 'x');

const CommandLineCase kCommandLines[] = {
    {"", "", nullptr},
    {"/norestart", "norestart ", nullptr},
    {"/norestart D:\\Setup", "norestart folder=D:\\Setup ", nullptr},
    {"/S /LANG=DEU /Type=3d", "s type=3D lang=deu ", nullptr},
    {"-s -type=4D", "s type=4D ", nullptr},
    {"/s \"/dir=C:\\My Mouse\" /group=\"Wheel Mouse\" /log=\"C:\\logs\\kv setup.log\"",
     "s dir=C:\\My Mouse group=Wheel Mouse log=C:\\logs\\kv setup.log ", nullptr},
    {"/s /loadinf=a.inf /saveinf=b.inf", "s saveinf=b.inf loadinf=a.inf ", nullptr},
    {"\t/s  \t ", "s ", nullptr},
    // What is refused, with /s and /log known for the report.
    {"/s /log=x.log /quiet", "s log=x.log ", "unknown switch: /quiet"},
    {"/quiet /dir=C:\\x \"/log=C:\\a b.log\" /s", "s log=C:\\a b.log ", "unknown switch: /quiet"},
    {"/s /s", "s ", "switch given twice"},
    {"/s=1", "", "the switch takes no value"},
    {"/type=5D", "", "the setup type is 3D or 4D"},
    {"/type=", "", "a value is needed"},
    {"/dir", "", "a value is needed"},
    {"/lang=english", "", "a language is a three-letter code"},
    {"/norestart=maybe", "", "norestart is 1 or 0"},
    {"A B", "folder=A ", "a second source folder"},
    {"/dir=C:\\" "x", "dir=C:\\x ", nullptr},
};

TEST(SetupOptions, CommandLines) {
    for (const CommandLineCase& c : kCommandLines) {
        SetupOptions o;
        char reason[kv::kOptionReasonCapacity];
        const bool read = kv::parseSetupOptions(c.arguments, o, reason);
        EXPECT_EQ(c.refused == nullptr, read) << c.arguments << ": " << reason;
        EXPECT_EQ(c.gives, describe(o)) << c.arguments;
        if (c.refused != nullptr) {
            EXPECT_EQ(0u, std::string(reason).find(c.refused)) << c.arguments << ": " << reason;
        }
    }
}

TEST(SetupOptions, ValuesThatDoNotFitAreRefusedNotCut) {
    for (const std::string& arguments : {"/dir=C:\\" + k300, "C:\\" + k300, "/log=" + k300, "/x" + std::string(1100, 'y')}) {
        SetupOptions o;
        char reason[kv::kOptionReasonCapacity];
        EXPECT_FALSE(kv::parseSetupOptions(arguments.c_str(), o, reason)) << arguments;
        EXPECT_EQ("", describe(o)) << arguments;
        EXPECT_NE('\0', reason[0]);
    }
}

TEST(SetupOptions, ArgumentsFollowTheProgramName) {
    EXPECT_STREQ("/s /dir=x", kv::argumentsOf("\"C:\\Setup Disk\\setup.exe\" /s /dir=x"));
    EXPECT_STREQ("/s", kv::argumentsOf("setup.exe  /s"));
    EXPECT_STREQ("", kv::argumentsOf("setup.exe"));
    EXPECT_STREQ("", kv::argumentsOf(nullptr));
}

struct AnswerCase {
    const char* commandLine;
    std::string text;
    const char* gives;
    const char* refused;
};

const AnswerCase kAnswers[] = {
    {"/s", "[Setup]\r\nlang=fra\r\ntype=3D\r\ndir=C:\\Mouse\r\ngroup=Mouse\r\nnorestart=1\r\nlog=C:\\kv.log\r\n",
     "s norestart type=3D lang=fra dir=C:\\Mouse group=Mouse log=C:\\kv.log ", nullptr},
    // The command line wins; blanks, comments, quotes and LF-only lines.
    {"/s /type=4D /dir=D:\\Other", "; made by hand\n\n[setup]\n  type = 3D \n dir=\"C:\\Mouse Dir\"\n",
     "s type=4D dir=D:\\Other ", nullptr},
    {"", "[Setup]\r\ngroup=\"My Mouse\"\r\n", "group=My Mouse ", nullptr},
    {"", "", "", nullptr},
    {"/s", "lang=deu\r\n", "s ", "a line before the [Setup] section"},
    {"/s", "[Other]\r\nlang=deu\r\n", "s ", "a section other than [Setup]"},
    {"/s", "[Setup]\r\nlanguage=deu\r\n", "s ", "unknown key in the answer file: language"},
    {"/s", "[Setup]\r\ns=1\r\n", "s ", "unknown key"},
    {"/s", "[Setup]\r\nloadinf=other.inf\r\n", "s ", "unknown key"},
    {"/s", "[Setup]\r\ntype=3D\r\ntype=4D\r\n", "s ", "key given twice"},
    {"/s", "[Setup]\r\njust text\r\n", "s ", "a line without key=value"},
    {"/s", "[Setup]\r\ntype=2D\r\n", "s ", "the setup type is 3D or 4D"},
    {"/s", "[Setup]\r\ndir=\r\n", "s ", "a value is needed"},
    {"/s", "[Setup]\r\ndir=C:\\" + k300 + "\r\n", "s ", "the value is longer than 259 bytes"},
    {"/s", "[Setup]\r\ngroup=" + std::string(1100, 'g') + "\r\n", "s ", "a line longer than 1023 bytes: line 2"},
    {"/s", std::string("[Setup]\r\nlang=e\0u\r\n", 19), "s ", "the answer file holds a NUL byte"},
    {"/s", "[Setup]\r\n" + std::string(kv::kMaxAnswerFileBytes, ';'), "s ", "the answer file is longer"},
};

TEST(SetupOptions, AnswerFiles) {
    for (const AnswerCase& c : kAnswers) {
        SetupOptions o;
        char reason[kv::kOptionReasonCapacity];
        ASSERT_TRUE(kv::parseSetupOptions(c.commandLine, o, reason)) << c.commandLine;
        const bool read = kv::applyAnswerText(c.text.data(), c.text.size(), o, reason);
        EXPECT_EQ(c.refused == nullptr, read) << c.text << ": " << reason;
        // A refused file changes nothing of what the command line gave.
        EXPECT_EQ(c.gives, describe(o)) << c.text;
        if (c.refused != nullptr) {
            EXPECT_EQ(0u, std::string(reason).find(c.refused)) << c.text << ": " << reason;
        }
    }
}

TEST(SetupOptions, SavedChoicesReadBack) {
    SetupOptions saved;
    char reason[kv::kOptionReasonCapacity];
    ASSERT_TRUE(kv::parseSetupOptions("/lang=jpn /type=3D \"/dir=C:\\Program Files\\Mouse\" \"/group=Wheel Mouse\" /norestart",
                                      saved, reason));
    char text[2048];
    ASSERT_TRUE(kv::formatAnswerText(saved, text, sizeof(text)));
    SetupOptions loaded;
    ASSERT_TRUE(kv::applyAnswerText(text, std::strlen(text), loaded, reason)) << reason;
    EXPECT_EQ(describe(saved), describe(loaded));
    EXPECT_FALSE(kv::formatAnswerText(saved, text, 40)) << "a text that does not fit is refused";

    // The switches the launcher hands on read back as what it read.
    ASSERT_TRUE(kv::parseSetupOptions("/s \"/log=C:\\a b.log\" /loadinf=x.inf /saveinf=y.inf", saved, reason));
    ASSERT_TRUE(kv::formatSetupArguments(saved, text, sizeof(text)));
    SetupOptions again;
    ASSERT_TRUE(kv::parseSetupOptions(text, again, reason)) << text << ": " << reason;
    EXPECT_EQ(describe(saved), describe(again)) << text;
}

}  // namespace
