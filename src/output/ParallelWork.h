// SPDX-License-Identifier: MIT
#pragma once
// Work items shared out over a few threads: each thread takes the next item
// until none is left or one has failed.
#include <QString>
#include <functional>

namespace kavalo {

// Runs work(worker, item, error) for every item in [0, items) on at most
// threads threads (worker numbers 0 ..< threads; worker 0 is the calling
// thread). The first failure stops the others and its message is returned
// in *error.
bool runParallel(qsizetype items, int threads, const std::function<bool(int, qsizetype, QString*)>& work,
                 QString* error);

// The threads to use: the number asked for, or one per core for 0.
int threadsFor(int asked);

}  // namespace kavalo
