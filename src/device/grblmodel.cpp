#include "device/grblmodel.h"

#include <QVector>

namespace GrblModels {

namespace {

const QVector<GrblModel> &table()
{
    static const QVector<GrblModel> models = {
        {QVersionNumber(1, 0, 0), QStringLiteral("tova2626"), false, QStringLiteral("1.0.0"),
         QVersionNumber(0, 1, 5), QStringLiteral(":/ota/tova2626_v0.1.5encode.bin")},
        {QVersionNumber(2, 0, 0), QStringLiteral("kelp"), false, QStringLiteral("2.0.0"),
         QVersionNumber(0, 1, 6), QStringLiteral(":/ota/kelp_grbl_v0.1.6encode.bin")},
        {QVersionNumber(3, 0, 0), QStringLiteral("tova2626 ble"), true, QStringLiteral("3.0.0"),
         QVersionNumber(0, 2, 2), QStringLiteral(":/ota/tova2626_ble_v0.2.2encode.bin")},
        {QVersionNumber(4, 0, 0), QStringLiteral("rhea3737"), true, QStringLiteral("4.0.0"),
         QVersionNumber(0, 2, 2), QStringLiteral(":/ota/rhea3737_v0.2.2encode.bin")},
        {QVersionNumber(4, 0, 1), QString(), true, QStringLiteral("4.0.1"),
         QVersionNumber(0, 2, 2), QString()},
        {QVersionNumber(5, 0, 0), QString(), true, QStringLiteral("5.0.0"),
         QVersionNumber(0, 2, 2), QString()},
        // Announced as 5.0.0: the panel knows no newer board.
        {QVersionNumber(7, 0, 0), QString(), true, QStringLiteral("5.0.0"),
         QVersionNumber(0, 2, 2), QString()},
    };
    return models;
}

} // namespace

GrblModel find(const QVersionNumber &hardware)
{
    for (const GrblModel &model : table()) {
        if (QVersionNumber::compare(model.hardware, hardware) == 0)
            return model;
    }
    return GrblModel();
}

} // namespace GrblModels
