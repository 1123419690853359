#pragma once
// Test builds can make chosen start-up calls fail, to reach the fatal start-up paths. The
// product build compiles every check to a constant false and holds none of it.
#ifdef QUAVELIN_FAULT_INJECTION
// True when the environment variable QUAVELIN_FAIL names this call.
bool InjectedFault(const char* call);
#else
constexpr bool InjectedFault(const char*) { return false; }
#endif
