// Fixed texts of the build that name the publisher; like the product record, they change
// with the product, but they are not formed from it.
#pragma once

#define PUBLISHER_DISPLAY_NAME "Orvane Tinkerware"
#define PUBLISHER_HOME_PAGE "http://www.orvane-tinkerware.example"
#define PUBLISHER_SUPPORT_EMAIL "support@orvane-tinkerware.example"
