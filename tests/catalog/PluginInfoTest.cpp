#include "catalog/PluginInfo.h"

#include <gtest/gtest.h>

TEST(PluginInfo, GetParamMatchesTheNameWithoutRegardToCase)
{
    TPluginInfo info;
    info.SetParams({"NoEquals", "FileExt=mdb", "FILEEXT=second", "Empty=", "Url=a=b"});
    EXPECT_EQ(info.GetParam("fileext"), "mdb");  // first line wins
    EXPECT_EQ(info.GetParam("FileExt"), "mdb");
    EXPECT_EQ(info.GetParam("Url"), "a=b");      // the value runs past further "="
    EXPECT_EQ(info.GetParam("Empty"), "");
    EXPECT_EQ(info.GetParam("NoEquals"), "");    // a line without "=" has no name
    EXPECT_EQ(info.GetParam("Missing"), "");
    EXPECT_EQ(info.GetParam("FileE"), "");       // no prefix match
}

TEST(PluginInfo, SetParamsReplacesAndEmptyListClears)
{
    TPluginInfo info;
    info.AddParam("FileExt", "mdb");
    info.AddParam("DeleteDatabase", "yes");
    EXPECT_EQ(info.GetParams(), (std::vector<std::string>{"FileExt=mdb", "DeleteDatabase=yes"}));
    info.SetParams({"OpenPrefix=x"});
    EXPECT_EQ(info.GetParams(), (std::vector<std::string>{"OpenPrefix=x"}));
    info.SetParams({});
    EXPECT_TRUE(info.GetParams().empty());
    EXPECT_EQ(info.GetParam("FileExt"), "");
}

TEST(PluginInfo, ParamEqualsComparesValuesWithoutRegardToCase)
{
    TPluginInfo info;
    info.AddParam("FileExt", "mdb");
    EXPECT_TRUE(info.ParamEquals("fileext", "MDB"));
    EXPECT_FALSE(info.ParamEquals("FileExt", "md"));
    EXPECT_TRUE(info.ParamEquals("Missing", ""));
    EXPECT_FALSE(info.ParamEquals("Missing", "mdb"));
}
