#pragma once
// Running a piece of work on the main thread from a worker thread.
//
// A worker hands its step to Synchronize and blocks until the main thread
// has run it; the main thread runs waiting steps in CheckSynchronize, which
// every wait that processes messages calls (DelayMSec). So a worker never
// touches a database connection, a window or a global record itself: it
// only decides which step comes next. An exception that a step raises is
// carried back and raised again in the worker.
//
// The main thread is the one that runs main; Synchronize called on it runs
// the step at once.

#include <functional>

void Synchronize(const std::function<void()>& step);
// Runs the steps that wait; true when it ran any. Only on the main thread.
bool CheckSynchronize();
