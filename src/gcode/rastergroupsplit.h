#pragma once

#include "document/defaultparameters.h"
#include "document/paintparameter.h"
#include "document/styleresolver.h"

#include <QDomDocument>

#include <vector>

// The copies of the working document that the raster groups render, made
// without reading every element's parameters once per group: which group each
// image and fill-mode element joins is found in one walk, and a group's copy
// is cloned with the other groups' elements set aside. The copy is the one
// RasterGroup::filter leaves of a whole clone.
class RasterGroupSplit
{
public:
    // `working` must not change between this and the last copy().
    RasterGroupSplit(const QDomDocument &working, const PaintParameterList &groups,
                     const DefaultParameters &defaults, const StyleResolver &styles);

    // A deep copy of the working document holding only what group `index`
    // (into `groups`) renders. The working document is left as it was.
    QDomDocument copy(int index) const;

private:
    static constexpr int stays = -1;    // no group's element: every group keeps it
    static constexpr int nowhere = -2;  // parameters of no group: every group drops it

    struct Node
    {
        QDomElement element;
        int group = stays;
        int end = 0;  // one past the last of its descendants, in document order
    };

    QDomDocument mWorking;
    std::vector<Node> mNodes;
};
