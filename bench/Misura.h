#pragma once
// Times a step of a benchmark: the median and the worst of n runs, in milliseconds.

#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

inline void Misura(const char *nome, int n, const std::function<void()> &f)
{
    std::vector<double> ms;
    for (int i = 0; i < n; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-44s median %8.3f ms   max %8.3f ms   (%d runs)\n", nome, ms[ms.size() / 2],
                ms.back(), n);
}
