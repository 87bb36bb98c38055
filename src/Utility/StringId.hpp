#pragma once

#include <cstdint>

// The string ids of the program's texts, named for where they are used. The built-in table
// (StringTable) holds the Japanese text of each; a language resource file may replace any of them.
namespace Orvane::Utility::StringId {

// Wizard and its pages
constexpr std::uint32_t WizardTitle = 104;
constexpr std::uint32_t CommitGuide = 105;
constexpr std::uint32_t UserInputGuide = 107;
constexpr std::uint32_t AccountID = 108;
constexpr std::uint32_t Password = 109;
constexpr std::uint32_t MachineSelectGuide = 110;
constexpr std::uint32_t UserSelectGuide = 114;
constexpr std::uint32_t SelectEventItems = 194;
constexpr std::uint32_t DuplicateDevice = 182;
constexpr std::uint32_t EntryLimit = 120;
constexpr std::uint32_t NoUsers = 161;

// Column widths: comma-separated integers, one per column
constexpr std::uint32_t EntryManagerColumnWidths = 106;
constexpr std::uint32_t ViewerEntryColumnWidths = 111;
constexpr std::uint32_t WizardUserColumnWidths = 112;
constexpr std::uint32_t ViewerEventColumnWidths = 127;

// Messages
constexpr std::uint32_t LoadFailure = 113;
constexpr std::uint32_t Confirm = 115;
constexpr std::uint32_t SaveFailure = 116;
constexpr std::uint32_t InitFailure = 175;
constexpr std::uint32_t DocumentSaveFailure = 177;
constexpr std::uint32_t QuexhallAccessFailure = 178;
constexpr std::uint32_t CommunicationError = 180;
constexpr std::uint32_t ConfirmDocumentDelete = 213;
constexpr std::uint32_t NoDeleteAuthority = 214;
constexpr std::uint32_t DocumentDeleted = 215;
constexpr std::uint32_t ViewerOpenFailure = 168;
constexpr std::uint32_t BrowserOpenFailure = 169;

// Labels and column headers
constexpr std::uint32_t MachineName = 121;
constexpr std::uint32_t UserName = 122;
constexpr std::uint32_t EventName = 123;
constexpr std::uint32_t RelatedInfo = 124;
constexpr std::uint32_t DateTime = 125;
constexpr std::uint32_t Host = 130;
constexpr std::uint32_t HTTPPort = 131;
constexpr std::uint32_t HTTPSPort = 132;
constexpr std::uint32_t Number = 133;
constexpr std::uint32_t Status = 134;
constexpr std::uint32_t NoticeSetting = 135;
constexpr std::uint32_t NoticeOn = 136;
constexpr std::uint32_t NoticeOff = 137;
constexpr std::uint32_t StatusMonitoring = 144;
constexpr std::uint32_t StatusError = 145;
constexpr std::uint32_t StatusNotMonitored = 146;
constexpr std::uint32_t LogMax = 150;
constexpr std::uint32_t Maximum = 151;
constexpr std::uint32_t Interval = 152;
constexpr std::uint32_t Minutes = 153;
constexpr std::uint32_t Seconds = 203;
constexpr std::uint32_t EraseTime = 204;
constexpr std::uint32_t EraseTimeZero = 205;
constexpr std::uint32_t EventCount = 210;
constexpr std::uint32_t CountUnit = 211;

// Window titles and tabs
constexpr std::uint32_t EventDlgTitle = 117;
constexpr std::uint32_t EntryManagerTitle = 126;
constexpr std::uint32_t EntryConfigTitle = 147;
constexpr std::uint32_t EventLogTitle = 155;
constexpr std::uint32_t AboutTitle = 184;
constexpr std::uint32_t MachineTab = 200;
constexpr std::uint32_t UserTab = 201;
constexpr std::uint32_t SettingTab = 202;
constexpr std::uint32_t ApplicationTitle = 57344;

// Tray menu
constexpr std::uint32_t MenuLogin = 128;
constexpr std::uint32_t MenuExit = 162;
constexpr std::uint32_t MenuAbout = 181;
constexpr std::uint32_t MenuEventLog = 183; // also the details dialog's viewer button
constexpr std::uint32_t MenuSettings = 185;

// Buttons and check boxes
constexpr std::uint32_t MachineSelect = 163;
constexpr std::uint32_t ManualMachine = 164;
constexpr std::uint32_t EnableNotice = 165;
constexpr std::uint32_t Preview = 166;
constexpr std::uint32_t Print = 167;
constexpr std::uint32_t Save = 172;
constexpr std::uint32_t Refresh = 186;
constexpr std::uint32_t Add = 187;
constexpr std::uint32_t SelectNoticeItems = 188;
constexpr std::uint32_t Detail = 189;
constexpr std::uint32_t Remove = 190;
constexpr std::uint32_t SwitchMonitoring = 191;
constexpr std::uint32_t Close = 192;
constexpr std::uint32_t UseSSL = 193;
constexpr std::uint32_t Login = 195;
constexpr std::uint32_t MarkAllRead = 196;
constexpr std::uint32_t ReadOnAction = 206;
constexpr std::uint32_t ConfirmDelete = 207;
constexpr std::uint32_t Delete = 212;

// Texts of the Linux desktop, where the program may run without a tray.
constexpr std::uint32_t RunningInBackground = 1001;

// The buttons the Windows dialogs take from the system, and the texts of the waits, the device
// search and the device trust of the Linux desktop.
constexpr std::uint32_t OK = 1100;
constexpr std::uint32_t Cancel = 1101;
constexpr std::uint32_t WizardBack = 1102;
constexpr std::uint32_t WizardNext = 1103;
constexpr std::uint32_t WizardFinish = 1104;
constexpr std::uint32_t SubscriptionWait = 1105;
constexpr std::uint32_t DeviceSearchTitle = 1106;
constexpr std::uint32_t SearchNow = 1107;
constexpr std::uint32_t Searching = 1108;
constexpr std::uint32_t SearchFound = 1109;
constexpr std::uint32_t Certificate = 1110;
constexpr std::uint32_t NoCertificate = 1111;
constexpr std::uint32_t ForgetCertificate = 1112;
constexpr std::uint32_t CertificateAuthority = 1113;

// The standard message of an integer field holding something else.
constexpr std::uint32_t ParseInteger = 0xF110;

} // namespace Orvane::Utility::StringId
