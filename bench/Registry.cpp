#include "Cases.h"

namespace bench {
namespace {

std::vector<Case>& allCases()
{
    static std::vector<Case> cases;
    return cases;
}

std::vector<Comparison>& allComparisons()
{
    static std::vector<Comparison> list;
    return list;
}

std::optional<Finding>& theFinding()
{
    static std::optional<Finding> finding;
    return finding;
}

} // namespace

void reportFinding(const Finding& finding)
{
    theFinding() = finding;
}

std::optional<Finding> reportedFinding()
{
    return theFinding();
}

bool registerCases(std::vector<Case> cases, std::vector<Comparison> comparisons)
{
    for (Case& c : cases)
        allCases().push_back(std::move(c));
    for (Comparison& c : comparisons)
        allComparisons().push_back(std::move(c));
    return true;
}

const Case* findCase(const QString& name)
{
    for (const Case& c : allCases()) {
        if (c.name == name)
            return &c;
    }
    return nullptr;
}

const std::vector<Comparison>& comparisons()
{
    return allComparisons();
}

} // namespace bench
