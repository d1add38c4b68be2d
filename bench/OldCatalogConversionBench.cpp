// Converting a generated catalog of the previous program generation: 5,000
// products (unless given) with two pictures each, a price, a page in the
// web tree and an option on every tenth, converted as the program does it
// when the old file is opened. Figures: the seconds of the conversion
// (the bound is 60) and the products per second.
//
// Then the same conversion again in child processes killed with SIGKILL
// after a growing share of the measured time: after each kill the catalog
// file must open, as the old catalog (the conversion did not finish) or as
// the converted one (it did), and no work folder may hide a second copy
// from the next try.
//
// Arguments: the number of products.
#include "catalog/CatalogCreationFixture.h"
#include "support/TestPaths.h"

#include "catalog/CatalogUpgrader.h"
#include "catalog/Singletons.h"
#include "catalog/conversion/OldCatalogConversion.h"
#include "common/FileContent.h"
#include "storage/DBManager.h"
#include "storage/SQLiteModule.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

const char* const kPicture =
    "X'89504E470D0A1A0A0000000D4948445200000002000000020802000000FDD49A730000001149444154789C63F8CFC000440C60F23F"
    "001BF203FDF3E74BB10000000049454E44AE426082'";

std::string OldCatalogSql(int products)
{
    std::string sql = ReadFileContent(TestSourceDir() + "/catalog/fixtures/old-catalogs/tables.sql").value();
    sql += "BEGIN;INSERT INTO LocalSettings VALUES ('VersionDatabase', '2.51');";
    sql += "INSERT INTO PricingSchedules VALUES ('BIG', 1, 'Retail', 'USD', 1);";
    std::string tree = "<WebTree><Page id=\"0\">";
    sql += "INSERT INTO VendorPages (VendorCode, PageId, PageType, PageName, isVisible) VALUES "
           "('BIG', 0, 1, 'Home', 1);";
    for (int i = 1; i <= products; ++i) {
        const std::string code = "P" + std::to_string(i);
        const std::string page = std::to_string(100 + i);
        sql += "INSERT INTO Products (VendorCode, ProductCode, ProductName, DescriptionLong, ImageCodeMedium, "
               "ImageCodeLarge, Weight, WeightUnit) VALUES ('BIG', '" + code + "', 'Product " + code +
               "', 'A description of " + code + "', 'M" + code + "', 'L" + code + "', 1.25, '0');";
        for (const char* kind : {"M", "L"})
            sql += std::string("INSERT INTO Images VALUES ('BIG', '") + kind + code + "', '" + kind + code +
                   "', 2, 2, 0, " + kPicture + ", 'image/png', 1, '" + code + "');";
        sql += "INSERT INTO ProductSKUs VALUES ('BIG', '" + code + "', 1, 3);";
        sql += "INSERT INTO ProductSKUPrices VALUES ('BIG', '" + code + "', 1, 1, " + std::to_string(i) + ".99, 0);";
        if (i % 10 == 0) {
            sql += "INSERT INTO ProductOptionNames VALUES ('BIG', '" + code + "', 1, 'Size');";
            sql += "INSERT INTO ProductOptionValues VALUES ('BIG', '" + code + "', 1, 1, 'Small');";
            sql += "INSERT INTO ProductSKUOptions VALUES ('BIG', '" + code + "', 1, 1, 1);";
        }
        sql += "INSERT INTO VendorPages (VendorCode, PageId, PageType, PageName, ProductCode, isVisible) VALUES "
               "('BIG', " + page + ", 2, 'Page " + code + "', '" + code + "', 1);";
        tree += "<Page id=\"" + page + "\"/>";
    }
    tree += "</Page></WebTree>";
    sql += "INSERT INTO Vendors (VendorCode, Passw, VendorName, DataLanguageCode1, WebTreeXml, CatalogType) VALUES "
           "('BIG', 'pw', 'Big Shop', 'EN', '" + tree + "', 1);COMMIT;";
    return sql;
}

bool Convert(TCreationEnvironment& env)
{
    std::string folder = env.DatabaseFolder();
    std::string user;
    std::string password;
    return env.Upgrader().ConvertOldCatalog(folder, "big", user, password);
}

// The catalog file opens: as the old catalog, or as the converted one.
std::string OpenState(TCreationEnvironment& env)
{
    if (TOldCatalogConversion::Check(*DBManager, SQLiteModuleName, env.DatabaseFolder(), "big", "pw") ==
        TOldCatalogConversion::TCheck::Convertible)
        return "old";
    return env.CheckLoginOnFile("big", "Administrator", "pw").empty() ? "new" : "BROKEN";
}

}  // namespace

int main(int argc, char** argv)
{
    const int products = argc > 1 ? std::atoi(argv[1]) : 5000;
    TCreationEnvironment env;
    const std::string sql = OldCatalogSql(products);
    env.Exec("big", sql);

    const auto start = std::chrono::steady_clock::now();
    const bool converted = Convert(env);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("converted %d products with %d pictures: %s in %.2f s (%.0f products/s; bound 60 s)\n", products,
                2 * products, converted ? "yes" : "NO", seconds, products / seconds);
    int failures = converted && seconds < 60 ? 0 : 1;
    if (OpenState(env) != "new")
        ++failures;

    for (const double share : {0.05, 0.25, 0.5, 0.75, 0.95, 0.99}) {
        fs::remove(env.CatalogFile("big"));
        env.Exec("big", sql);
        std::fflush(stdout);
        const pid_t child = fork();
        if (child == 0) {
            Convert(env);
            _exit(0);
        }
        usleep(static_cast<useconds_t>(seconds * share * 1e6));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        const std::string state = OpenState(env);
        std::printf("killed after %2.0f%% of the time: the catalog opens as the %s one\n", share * 100,
                    state.c_str());
        if (state == "BROKEN")
            ++failures;
        // The next try starts afresh.
        if (state == "old" && !Convert(env)) {
            std::printf("  the conversion after the kill FAILED\n");
            ++failures;
        }
    }
    std::printf("%s\n", failures == 0 ? "all checks passed" : "SOME CHECKS FAILED");
    return failures == 0 ? 0 : 1;
}
