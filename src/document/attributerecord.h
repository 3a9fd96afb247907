#pragma once

#include <QStringList>

class Node;

// One element's attribute change as the undo stack keeps it: parallel lists
// of names with their texts before and after.
struct AttributeRecord
{
    Node *element = nullptr;
    QStringList names;
    QStringList oldValues;
    QStringList newValues;
};
