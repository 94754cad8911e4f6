#pragma once

#include <QString>

// Who runs the program, as the usage statistics report it. Windows asks the system for the user
// and the Windows domain; elsewhere the login name and the host's DNS domain stand in for them.
class UserIdentity
{
public:
    // Name of the logged-in user; empty when the system does not tell.
    static QString userName();
    // The user's domain; empty when the machine belongs to none.
    static QString domain();
};
