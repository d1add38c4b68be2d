#pragma once
// The process-wide settings of the SQLite library, made once before the
// first connection is opened. SQLite keeps statistics of the memory it uses
// unless told not to, and takes one process-wide mutex for every allocation
// to keep them: threads working on connections of their own would wait on
// each other for it. The program reads no such statistics, so they are off.
void ConfigureSQLiteLibrary();
