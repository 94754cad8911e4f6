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

    // Selects the transport (0 to 2) and media protocol (1 SRTP, 2 RTP) the fields hold; a loaded
    // value that names none stays in its field and marks its row (UserSidePage::restoreChoice). Lists
    // the configuration does not use (used false) keep their fields as given.
    void restoreChoices(bool used = true);
    // Selects a transport and a media protocol another page's answers give the page, but not over a
    // loaded value no list holds: its list shows none until the installer picks one.
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
    QLabel *m_transportLabel;
    QLabel *m_mediaLabel;

protected slots:
    void protocolChanged(int index);
    void mediaProtocolChanged(int index);
};
