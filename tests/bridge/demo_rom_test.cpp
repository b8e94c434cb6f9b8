#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

#ifdef VELDRUN_DEMO_ROM
TEST(DemoCartridge, IsA32KBRomThatTheBiosStarts)
{
    std::ifstream in(VELDRUN_DEMO_ROM, std::ios::binary);
    ASSERT_TRUE(in) << VELDRUN_DEMO_ROM;
    const std::string rom((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(rom.size(), 32768u);
    EXPECT_EQ(rom.substr(0, 2), "AB");
    const int init = static_cast<unsigned char>(rom[2]) | static_cast<unsigned char>(rom[3]) << 8;
    EXPECT_GE(init, 0x4010);
    EXPECT_LT(init, 0x8000); // page 1, which the BIOS selects before it calls INIT
    EXPECT_NE(rom.find("VELDRUN DEMO CARTRIDGE"), std::string::npos);
}
#else
TEST(DemoCartridge, IsA32KBRomThatTheBiosStarts) { GTEST_SKIP() << "pasmo was not found: no demo cartridge"; }
#endif

} // namespace
