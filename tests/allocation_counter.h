#pragma once

// The number of times the global operator new has been called in this process. Linking
// allocation_counter.cpp replaces the global operator new and delete with counting ones.
unsigned long allocationCount();
