// Links the control painters into attachment: each skinner kind painted here gets its maker.
#pragma once

void RegisterControlSkinning();
