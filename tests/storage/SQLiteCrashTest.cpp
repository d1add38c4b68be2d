// A writer killed with SIGKILL at an arbitrary moment leaves a database that
// passes the integrity check and holds every unit of work it committed, each
// one whole, and sequence numbers that were never handed out twice.
#include "SQLiteFixture.h"

#include <csignal>
#include <cstdio>
#include <cstdint>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class SQLiteCrashTest : public SQLiteFixture {
protected:
    static constexpr int RowsPerUnit = 3;

    // The child: units of work of three rows each, reporting every committed
    // unit through the pipe, until it is killed. Never returns.
    [[noreturn]] void WriteUntilKilled(int reportFd, int firstUnit)
    {
        try {
            auto factory = MakeFactory();
            factory->OpenDatabase(dir, "shop", "", "");
            auto runner = factory->OpenSecondConnection();
            const TBytes payload{std::string(3000, 'p')};
            for (int unit = firstUnit; unit < firstUnit + 1000000; ++unit) {
                int number = factory->NextSequenceId("shop", "Items");
                // The main connection writes by itself, before the unit takes the lock.
                Exec(factory->GetConnection(), "UPDATE Progress SET LastUnit = :U", {{"U", unit}});
                for (int part = 0; part < RowsPerUnit; ++part)
                    Exec(*runner, "INSERT INTO Units (UnitId, Part, Seq, Payload) VALUES (:U, :P, :S, :B)",
                         {{"U", unit}, {"P", part}, {"S", number}, {"B", payload}});
                runner->CommitTrans();
                runner->BeginTrans();
                std::int32_t report = unit;
                if (write(reportFd, &report, sizeof report) != sizeof report)
                    _exit(3);
            }
        } catch (const std::exception& e) {
            fprintf(stderr, "writer failed: %s\n", e.what());
            _exit(2);
        }
        _exit(0);
    }

    // Starts a writer, lets it commit MinUnits units, kills it and returns
    // every unit it reported.
    std::vector<int> RunAndKill(int firstUnit, int minUnits)
    {
        int fds[2];
        EXPECT_EQ(pipe(fds), 0);
        pid_t child = fork();
        if (child == 0) {
            close(fds[0]);
            WriteUntilKilled(fds[1], firstUnit);
        }
        close(fds[1]);
        std::vector<int> reported;
        std::int32_t unit = 0;
        while (static_cast<int>(reported.size()) < minUnits && read(fds[0], &unit, sizeof unit) == sizeof unit)
            reported.push_back(unit);
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        while (read(fds[0], &unit, sizeof unit) == sizeof unit)  // reports written before it died
            reported.push_back(unit);
        close(fds[0]);
        EXPECT_TRUE(WIFSIGNALED(status)) << "the writer stopped on its own, status " << status;
        return reported;
    }
};

TEST_F(SQLiteCrashTest, KilledWriterLeavesEveryCommittedUnitWholeInASoundDatabase)
{
    {
        auto factory = CreateAndOpen();
        Exec(factory->GetConnection(), "CREATE TABLE Units (UnitId LONG, Part LONG, Seq LONG, Payload LONGBINARY)");
        Exec(factory->GetConnection(), "CREATE TABLE Progress (LastUnit LONG)");
        Exec(factory->GetConnection(), "INSERT INTO Progress VALUES (0)");
    }  // nothing is open in this process when the writers are forked

    std::vector<int> reported;
    const int minUnits[] = {5, 40, 17, 1, 63, 28};
    for (int round = 0; round < 6; ++round) {
        std::vector<int> units = RunAndKill(round * 1000000, minUnits[round]);
        ASSERT_GE(static_cast<int>(units.size()), minUnits[round]);
        reported.insert(reported.end(), units.begin(), units.end());
    }

    auto factory = MakeFactory();
    ASSERT_TRUE(factory->OpenDatabase(dir, "shop", "", ""));
    TAbstractDBConnection& main = factory->GetConnection();
    EXPECT_EQ(Scalar(main, "PRAGMA integrity_check"), TVariant("ok"));
    for (int unit : reported) {
        TQueryGuard query(main);
        query->SetSQL("SELECT COUNT(*) FROM Units WHERE UnitId = :U");
        query->SetParam("U", unit);
        EXPECT_EQ(query->Open(true).Field(0), TVariant(RowsPerUnit)) << "committed unit " << unit;
    }
    EXPECT_EQ(Count(main, "(SELECT UnitId FROM Units GROUP BY UnitId HAVING COUNT(*) <> 3)"), 0)
        << "no unit is there in part";
    EXPECT_EQ(Count(main, "(SELECT Seq FROM Units GROUP BY Seq HAVING COUNT(DISTINCT UnitId) > 1)"), 0)
        << "no sequence number was handed out twice";
    EXPECT_GE(Scalar(main, "SELECT LastId FROM LocalSequences").AsInteger(),
              Scalar(main, "SELECT MAX(Seq) FROM Units").AsInteger());
}

}  // namespace
