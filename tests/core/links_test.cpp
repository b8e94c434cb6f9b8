#include "form/tform1.h"
#include "reader/links.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

namespace {

struct LinkCase {
    const char* name;
    void (TForm1::*handler)();
    std::string call;
};

class Links : public ::testing::TestWithParam<LinkCase> {};

TEST_P(Links, EachHandlerMakesOneShellCallAndChangesNothing)
{
    FakeServices fakes;
    TForm1 form{fakes.services()};
    form.state.computer.select(1);
    form.linecreate();
    const std::string line = form.state.editline;

    (form.*GetParam().handler)();

    EXPECT_EQ(fakes.shell.calls, std::vector<std::string>{GetParam().call});
    EXPECT_EQ(form.state.editline, line);
    EXPECT_EQ(form.state.computer.index(), 1);
    EXPECT_EQ(form.state.start, "None");
    EXPECT_TRUE(fakes.processes.calls.empty());
}

const std::string home(links::homePage);

INSTANTIATE_TEST_SUITE_P(
    Table, Links,
    ::testing::Values(
        LinkCase{"TULKonline", &TForm1::TULKonline1Click, "url " + home},
        LinkCase{"Lookforupdate", &TForm1::Lookforupdate1Click, "url " + home + "/download.htm"},
        LinkCase{"DownloadZAZURE", &TForm1::DownloadZAZURE1Click, "url " + home + "/download/zazure.zip"},
        LinkCase{"Downloademulator", &TForm1::Downloademulator1Click, "url " + home + "/download/fmsx.zip"},
        LinkCase{"GotoMSXDatabase", &TForm1::GotoMSXDatabase1Click, "url " + std::string(links::msxDatabase)},
        LinkCase{"ContactUS", &TForm1::ContactUS1Click, "mail mailto:" + std::string(links::mailAddress)},
        LinkCase{"Prompt", &TForm1::Prompt1Click, "terminal"},
        LinkCase{"MSDOS", &TForm1::MSDOS1Click, "terminal"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
