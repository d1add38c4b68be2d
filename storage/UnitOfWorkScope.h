#pragma once
// Makes several statements on one connection a single unit: all of them
// take effect or none does.
//  - On a connection outside any unit of work (a main connection) the scope
//    begins a unit of its own and commits it in Commit.
//  - Inside the caller's unit of work it sets a savepoint (after taking the
//    write lock, so that the savepoint lies inside the unit's write
//    transaction) and releases it in Commit; the caller's unit decides later.
// A scope left without Commit (an exception passing) undoes every statement
// run since Enter and nothing before it.
#include <string>

class TAbstractDBConnection;

class TUnitOfWorkScope {
public:
    explicit TUnitOfWorkScope(TAbstractDBConnection& connection) : connection_(connection) {}
    ~TUnitOfWorkScope();
    TUnitOfWorkScope(const TUnitOfWorkScope&) = delete;
    TUnitOfWorkScope& operator=(const TUnitOfWorkScope&) = delete;

    // Starts the unit before the first write; Table is a table of the
    // database that the unit is about to write (a write that changes nothing
    // takes the write lock inside a caller's unit). Entering twice does nothing.
    void Enter(const std::string& table);
    // Makes the statements since Enter part of the connection's work.
    void Commit();

private:
    enum class TState { Outside, OwnUnit, Savepoint };

    void Undo() noexcept;

    TAbstractDBConnection& connection_;
    TState state_ = TState::Outside;
};
