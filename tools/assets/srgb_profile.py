"""The sRGB colour profile embedded in the backdrop PNG and the close-button JPEGs.

Little CMS stamps the creation time into the profile header, which would make
every regenerated picture differ from the committed one; the stamp is pinned
to a fixed date so the assets come out byte-identical on every run.
"""

import struct

try:
    from PIL import ImageCms
except ImportError:
    raise SystemExit("srgb_profile: needs Pillow with Little CMS (Debian package python3-pil)")

# Year, month, day, hour, minute, second, as the ICC header stores them.
PINNED_CREATION_DATE = (2024, 1, 1, 0, 0, 0)
_DATE_OFFSET = 24
_PROFILE_ID = slice(84, 100)


def srgb_profile_bytes():
    profile = bytearray(ImageCms.ImageCmsProfile(ImageCms.createProfile("sRGB")).tobytes())
    if profile[36:40] != b"acsp":
        raise SystemExit("srgb_profile: Little CMS returned something that is not an ICC profile")
    profile[_DATE_OFFSET:_DATE_OFFSET + 12] = struct.pack(">6H", *PINNED_CREATION_DATE)
    # An MD5 profile ID would cover the date; Little CMS leaves it zero, and so do we.
    profile[_PROFILE_ID] = bytes(16)
    return bytes(profile)
