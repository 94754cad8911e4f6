#pragma once

#include "pages/UserSidePage.h"

class QGroupBox;

// A users' side with one SIP interface and one media realm (hosted users, trunk remote users): the
// groups "SIP Interface" (transport, listening port) and "Media Ports (Realm)" (media protocol,
// base port, sessions) over the fields <prefix>_TRANSPORT_TYPE, _LOCAL_PORT, the port slots,
// _INTERFACE, _MEDIA_PROTOCOL, _MEDIA_START, _MEDIA_NUMBER and _MEDIA_END.
class UserInterfacePage : public UserSidePage
{
    Q_OBJECT
protected:
    UserInterfacePage(const QString &prefix, const QString &party, const QString &listeningPort,
        const QString &sessionsToolTip, QWidget *parent);

    // Selects a transport (0 to 2) and a media field value (1 SRTP, 2 RTP); anything else leaves the
    // combo as it is. The field then holds what the combo shows, so page and output agree.
    void restoreTransport(const QString &transport);
    void restoreMedia(const QString &media);
    // Derives the media end from base port and sessions.
    void commitMediaEnd() const;

    QComboBox *m_transport;
    QLineEdit *m_listeningPort;
    QComboBox *m_media;
    QLineEdit *m_basePort;
    QLineEdit *m_sessions;
    QLineEdit *m_transportField;
    QLineEdit *m_mediaField;
    QLineEdit *m_mediaEndField;
    QGroupBox *m_sipGroup;
    QGroupBox *m_realmGroup;

protected slots:
    void protocolChanged(int index);
    void mediaProtocolChanged(int index);
};
