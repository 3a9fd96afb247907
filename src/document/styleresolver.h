#pragma once

#include "document/engravingattributes.h"

#include <QDomDocument>
#include <QDomElement>
#include <QHash>
#include <QString>
#include <QVector>

// Resolves the presentation properties an SVG renderer reads: the element's
// "style" declaration, else the rules of the document's internal <style>
// sheets (selected by element name, class and id), else the presentation
// attribute; inherited properties then come from the ancestors. The canvas,
// the property summary and the generator all ask it, so they cannot disagree.
class StyleResolver
{
public:
    StyleResolver() = default;
    explicit StyleResolver(const QDomDocument &document);

    // Reads the <style> sheets and the kind of design again.
    void reset(const QDomDocument &document);

    // The element's own specified value: "inherit" and an absent property
    // give found = false.
    QString ownValue(const QDomElement &element, const QString &property, bool *found = nullptr) const;
    // The own value, else the nearest ancestor's.
    QString inheritedValue(const QDomElement &element, const QString &property,
                           bool *found = nullptr) const;

    // The inherited paint of an element, carried down a walk so each element
    // costs one look at its own values.
    struct Paint
    {
        QString fill;
        QString stroke;
        bool fillSet = false;
        bool strokeSet = false;
    };
    // The element's paint from its own values and its parent's paint.
    Paint paint(const QDomElement &element, const Paint &parent) const;
    // The paint of the element with all its ancestors.
    Paint paint(const QDomElement &element) const;
    // engraveMode() for an element whose paint() is known.
    EngraveMode engraveMode(const QDomElement &element, const Paint &paint) const;

    // How the generator engraves the element. An image leaves the job only
    // by its own "fill:none"; containers are never cut or filled themselves
    // in drawings from other programs.
    EngraveMode engraveMode(const QDomElement &element) const;

    // False for "display:none" on the element itself.
    bool isDisplayed(const QDomElement &element) const;

    // A design written by this program (its root declares the engraving
    // namespace): shapes that declare no fill anywhere are neither cut nor
    // filled there, as they always were. Elsewhere they fill black, as SVG
    // draws them.
    bool isPlimbDesign() const { return mPlimbDesign; }
    void setPlimbDesign(bool plimb) { mPlimbDesign = plimb; }

    bool hasRules() const { return !mRules.isEmpty(); }

    // Containers whose content is never drawn where it stands.
    static bool isUnrendered(const QString &tag);
    static bool isContainer(const QString &tag);
    static bool declaresPlimbNamespace(const QDomElement &root);

private:
    struct Rule
    {
        QString tag;        // empty: any element
        QString id;
        QStringList classes;
        int specificity = 0;
        int order = 0;
        QHash<QString, QString> declarations;
    };

    void parseSheet(const QString &text);
    void addRule(const QString &selector, const QHash<QString, QString> &declarations);
    QString sheetValue(const QDomElement &element, const QString &property, bool *found) const;
    static bool matches(const Rule &rule, const QDomElement &element);

    QVector<Rule> mRules;
    bool mPlimbDesign = true;
};
