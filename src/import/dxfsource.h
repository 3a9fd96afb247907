#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

// One DXF group: its code and its value as text.
struct DxfGroup
{
    int code = 0;
    QByteArray value;
};

// An entity the reader interprets itself, with all its groups after the
// type ("0") group.
struct DxfRawEntity
{
    QByteArray type;
    QList<DxfGroup> groups;
};

// A DXF file (ASCII or binary) made safe for dxflib, which loops for ever on
// a line of 1024 characters or more, cannot read binary DXF and trusts the
// counts a file announces. The file is read group by group and written out
// again as ASCII DXF with every value short, every count true, paper-space
// entities left out, and the entities dxflib does not draw well (texts,
// hatches, dimensions) taken out: each leaves a marker POINT whose x is its
// index in rawEntities(), so the reader knows which block it belongs to.
class DxfSource
{
public:
    // False, with error(), for data that is no DXF.
    bool load(const QByteArray &data);

    QString error() const { return mError; }
    const QByteArray &textForLibrary() const { return mText; }
    const QList<DxfRawEntity> &rawEntities() const { return mRaw; }
    // Text style name → font family named by its font file or its
    // extended data; empty when unknown.
    QString styleFamily(const QString &style) const { return mStyleFamilies.value(style.toLower()); }

    // The layer of the marker points.
    static const char *markerLayer();

private:
    bool readAscii(const QByteArray &data, QList<DxfGroup> *groups);
    bool readBinary(const QByteArray &data, QList<DxfGroup> *groups);
    void writeEntity(const QByteArray &type, QList<DxfGroup> &groups, const QByteArray &section);
    void writeGroup(int code, const QByteArray &value);

    QString mError;
    QByteArray mText;
    QList<DxfRawEntity> mRaw;
    QHash<QString, QString> mStyleFamilies;
};
