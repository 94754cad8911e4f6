#pragma once

#include <QString>

#include <functional>

// Texts of the finish page and the name of the automatic copy, as functions of the answers
// (field name to text), so they run without widgets.
class FinishNotes
{
public:
    using FieldLookup = std::function<QString(const QString &)>;

    static QString introText(bool krbx);
    // Certificate instruction followed by the port-forwarding instruction; both may be absent. Answers
    // stand in them as TemplateEvaluator::noteText, so none can start a line or a tag.
    static QString notesText(bool krbx, const FieldLookup &field);
    static QString certificateNote(bool krbx, const FieldLookup &field);
    static QString forwardingNote(const FieldLookup &field);
    static QString closingText();

    // The address the device takes with the new configuration: the OAM or WAN address when the
    // management interface is there, else the LAN address.
    static QString newDeviceAddress(const FieldLookup &field);
    // Where the upload goes: the CCE appliances always answer on their fixed internal address; otherwise
    // the device the configuration was read from, else the new address.
    static QString uploadAddress(const QString &deviceAddress, bool cce, const QString &newAddress);

    // Name and folder of the automatic copy (IniCopy).
    static QString copyFileName(const QString &net1Ip, int iniFileVersion);
    static QString copyFolder();
};
