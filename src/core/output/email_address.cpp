#include "core/output/email_address.h"

#include <QSet>

namespace {

bool isLetterOrDigit(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9');
}

} // namespace

const QStringList& topLevelDomains()
{
    static const QStringList table = [] {
        QStringList domains{QStringLiteral("com"),  QStringLiteral("edu"),  QStringLiteral("gov"),
                            QStringLiteral("int"),  QStringLiteral("mil"),  QStringLiteral("net"),
                            QStringLiteral("org"),  QStringLiteral("info"), QStringLiteral("biz"),
                            QStringLiteral("pro"),  QStringLiteral("name"), QStringLiteral("coop"),
                            QStringLiteral("museum"), QStringLiteral("aero")};
        // The country entries, retired and reserved codes included, exactly as the table has them.
        domains += QStringLiteral(
                       "af al dz as ad ao ai aq ag ar am aw ac au at az bs bh bd bb by be bz bj bm bt bo ba bw bv "
                       "br io bn bg bf bi kh cm ca cv ky cf td cs cl cn cx cc co km cg ck cr ci hr cu cy cz dk dj "
                       "dm do tp ec eg sv gq er ee et fk fo fj fi fr gf pf tf ga gm ge de gh gi gr gl gd gp gu gt "
                       "gg gn gw gy ht hm va hn hk hu is in id ir iq ie im il it jm jp je jo kz ke ki kp kr kw kg "
                       "la lv lb ls lr ly li lt lu mo mk mg mw my mv ml mt mh mq mr mu yt mx fm md mc mn ms ma mz "
                       "mm na nr np nl an nc nz ni ne ng nu nf mp no om pk pw ps pa pg py pe ph pn pl pt pr qa re "
                       "ro ru rw kn lc vc ws sm st sa sn sc sl sg sk si sb so za gs es lk sh pm sd sr sj sz se ch "
                       "sy tw tj tz th tg tk to tt tn tr tm tc tv ug ua ae gb uk us um uy su uz vu ve vn vg vi wf "
                       "eh ye yu cd zm zr zw")
                       .split(u' ');
        return domains;
    }();
    return table;
}

bool isValidEmail(const QString& address)
{
    // Only A to Z turn into a to z; nothing else changes case.
    QString text = address;
    for (QChar& c : text) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + 32);
    }
    if (!text.contains(u'@'))
        return false;
    const QStringList parts = text.split(u'@');
    if (parts.size() != 2)
        return false;
    const QString& local = parts[0];
    const QString& domain = parts[1];
    if (local.isEmpty() || !isLetterOrDigit(local[0]))
        return false;
    for (qsizetype i = 1; i < local.size(); ++i) {
        if (!isLetterOrDigit(local[i]) && local[i] != u'.' && local[i] != u'_')
            return false;
    }
    if (!domain.contains(u'.'))
        return false;
    const QStringList labels = domain.split(u'.');
    for (const QString& label : labels) {
        if (label.size() < 2)
            return false;
        for (const QChar c : label) {
            if (!isLetterOrDigit(c))
                return false;
        }
    }
    static const QSet<QString> known(topLevelDomains().begin(), topLevelDomains().end());
    return known.contains(labels.last());
}
