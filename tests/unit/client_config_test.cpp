#include "client_config.h"

#include <gtest/gtest.h>

#include <map>

namespace orvanta {
namespace {

// config.ini as a map, counting reads so the tests can see nothing is cached.
class MemoryProfile final : public ProfileStore {
 public:
  std::string Read(std::string_view section, std::string_view key) const override {
    ++reads;
    const auto found = values.find({std::string(section), std::string(key)});
    return found == values.end() ? std::string() : found->second;
  }
  void Write(std::string_view section, std::string_view key, std::string_view value) override {
    values[{std::string(section), std::string(key)}] = std::string(value);
  }
  bool DeleteAll() override {
    const bool had = !values.empty();
    values.clear();
    return had;
  }

  std::map<std::pair<std::string, std::string>, std::string> values;
  mutable int reads = 0;
};

TEST(ConfigInteger, ReadsLeadingNumberOrZero) {
  const std::pair<const char*, int> cases[] = {
      {"", 0},      {"0", 0},     {"780", 780},   {"-12", -12}, {"+5", 5},           {"  42", 42},
      {"12px", 12}, {"abc", 0},   {"-", 0},       {" x1", 0},   {"99999999999", 0},  {"2147483647", 2147483647},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(ConfigInteger(text), value) << '"' << text << '"';
}

TEST(ClientConfig, KeysLiveWhereBothProgramsExpectThem) {
  MemoryProfile profile;
  ClientConfig config(profile);
  config.SetHostData("1:@|abc");
  config.SetHostDataId("1001");
  config.SetLoginUrl("service/login");
  config.SetSkippedVersion("2.0.1");
  config.SaveMainGeometry({1000, 700, 20, 30});
  config.SavePageGeometry({800, 600, 5, 6});
  const std::map<std::pair<std::string, std::string>, std::string> expected = {
      {{"main", "hostdata"}, "1:@|abc"}, {{"main", "hostdataid"}, "1001"}, {{"main", "loginurl"}, "service/login"},
      {{"main", "verhl"}, "2.0.1"},      {{"main", "wide"}, "1000"},       {{"main", "higth"}, "700"},
      {{"main", "top"}, "20"},           {{"main", "lift"}, "30"},         {{"main2", "wide"}, "800"},
      {{"main2", "higth"}, "600"},       {{"main2", "top"}, "5"},          {{"main2", "lift"}, "6"},
  };
  EXPECT_EQ(profile.values, expected);
  EXPECT_EQ(config.MainGeometry(), (WindowGeometry{1000, 700, 20, 30}));
  EXPECT_EQ(config.PageGeometry(), (WindowGeometry{800, 600, 5, 6}));
}

TEST(ClientConfig, EveryReadGoesToTheFile) {
  MemoryProfile profile;
  ClientConfig config(profile);
  profile.values[{"main", "wz"}] = "3";
  EXPECT_EQ(config.MainWindowState(), 3);
  profile.values[{"main", "wz"}] = "maximised";  // edited behind the program's back
  EXPECT_EQ(config.MainWindowState(), 0);
  EXPECT_EQ(profile.reads, 2);
}

TEST(ClientConfig, GeometryIsRestorableOnlyAboveFiftyPixelsHigh) {
  MemoryProfile profile;
  ClientConfig config(profile);
  EXPECT_FALSE(config.MainGeometry().IsRestorable());  // nothing stored
  profile.values[{"main", "higth"}] = "50";
  EXPECT_FALSE(config.MainGeometry().IsRestorable());
  profile.values[{"main", "higth"}] = "51";
  const WindowGeometry geometry = config.MainGeometry();
  EXPECT_TRUE(geometry.IsRestorable());
  EXPECT_EQ(geometry.width, 0);  // missing keys read as 0 and are applied all the same
}

}  // namespace
}  // namespace orvanta
