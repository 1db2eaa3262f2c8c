#pragma once

// Identifiers of the setup's dialog templates, controls, menu and menu commands. Plain
// definitions, so that the resource script can include this file too.

// Controls that the code never addresses.
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Dialog templates.
#define IDD_SETUP_GENERAL 11003
#define IDD_SETUP_PARMS 11011

// Source menu: one popup with the two fixed commands.
#define IDR_SOURCE_MENU 11012
#define ID_SOURCE_TEXT_CONSTANT 32777
#define ID_SOURCE_NO_MAPPING 32779

// General page: labels.
#define IDC_BATCH_CLASS 11003
#define IDC_DOC_CLASS 11005
#define IDC_DOCSTORE_DESCRIPTION 11012
#define IDC_DOCTYPE_DESCRIPTION 11015
#define IDC_VERSION_LABEL 11059
#define IDC_VERSION 11060

// General page: boxes.
#define IDC_NAME 11002
#define IDC_SERVER_URL 11007
#define IDC_USERNAME 11024
#define IDC_PASSWORD 11025
#define IDC_DOCSTORE 11010
#define IDC_DOCTYPE 11014
#define IDC_DOC_DESCRIPTION 11017
#define IDC_DOC_OWNER 11019
#define IDC_AUTHORISATION_LIST 11021
#define IDC_PUBLIC_AUTHORITY 11023
#define IDC_DOC_FILENAME 11029

// General page: buttons (Reload and the "..." buttons of the ten settings).
#define IDC_RELOAD 11011
#define IDC_SERVER_URL_SOURCE 11063
#define IDC_USERNAME_SOURCE 11064
#define IDC_PASSWORD_SOURCE 11065
#define IDC_DOCSTORE_SOURCE 11066
#define IDC_DOCTYPE_SOURCE 11067
#define IDC_DOC_DESCRIPTION_SOURCE 11056
#define IDC_DOC_OWNER_SOURCE 11055
#define IDC_AUTHORISATION_LIST_SOURCE 11057
#define IDC_PUBLIC_AUTHORITY_SOURCE 11061
#define IDC_DOC_FILENAME_SOURCE 11058

// Parameters page: row r (0 to 9) has value box, "..." button and label at these bases + r.
#define IDC_PARAMETER_VALUE_FIRST 11024
#define IDC_PARAMETER_SOURCE_FIRST 11044
#define IDC_PARAMETER_LABEL_FIRST 11034
